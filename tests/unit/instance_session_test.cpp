// One instance per desktop session: the lock's and socket's name; the show
// request that carries the asking start's activation token.
#include <gtest/gtest.h>

#include <sstream>

#include "app/instance_session.h"

namespace px {
namespace {

TEST(InstanceSessionTest, TheLockNamesTheSessionAsASafeFileName) {
  const struct {
    SessionEnvironment session;
    std::string expected;
  } cases[] = {
      {{"3", "wayland-0", ":0"}, "px6410-session-3"},
      {{"c2", "", ":10"}, "px6410-session-c2"},
      {{"", "wayland-1", ":0"}, "px6410-wayland-wayland-1"},
      {{"", "/run/user/1000/wayland-0", ""}, "px6410-wayland-_run_user_1000_wayland-0"},
      {{"", "", ":0"}, "px6410-x11-_0"},
      {{"", "", ":0.1"}, "px6410-x11-_0"},
      {{"", "", "localhost:10.0"}, "px6410-x11-localhost_10"},
      {{"../../x", "", ""}, "px6410-session-_._.._x"},
      {{"a b\n", "", ""}, "px6410-session-a_b_"},
      {{std::string(200, '7'), "", ""}, "px6410-session-" + std::string(48, '7')},
      {{"", "", ""}, "px6410"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstanceFileName(c.session), c.expected) << c.session.sessionId << "|" << c.session.waylandDisplay;
  }
}

// Feeds a request line by line, as the running instance reads it.
bool Read(const std::string& request, ActivationToken& token) {
  std::istringstream lines(request);
  std::string line;
  bool show = false;
  while (std::getline(lines, line)) show = ReadRequestLine(line + "\n", token);
  return show;
}

TEST(InstanceSessionTest, TheShowRequestCarriesTheTokensAndEndsWithThePlainShow) {
  const struct {
    const char* what;
    ActivationToken sent;
    ActivationToken received;
  } cases[] = {
      {"no token", {}, {}},
      {"Wayland", {"abc-123_x", ""}, {"abc-123_x", ""}},
      {"X11", {"", "kde-1234-host-_TIME5678"}, {"", "kde-1234-host-_TIME5678"}},
      {"both", {"t1", "s1"}, {"t1", "s1"}},
      {"a token with a line break is left out", {"evil\nshow", "ok"}, {"", "ok"}},
      {"a token with a space is left out", {"a b", ""}, {}},
      {"a token too long is left out", {std::string(600, 'x'), ""}, {}},
  };
  for (const auto& c : cases) {
    const std::string request = EncodeShowRequest(c.sent);
    // An earlier version reads only this line.
    EXPECT_TRUE(request.ends_with("\nshow\n") || request == "show\n") << c.what;
    ActivationToken token;
    EXPECT_TRUE(Read(request, token)) << c.what;
    EXPECT_EQ(token, c.received) << c.what;
  }
  // What an earlier version sends, and lines that are no request.
  ActivationToken token;
  EXPECT_TRUE(ReadRequestLine("show\n", token));
  EXPECT_FALSE(ReadRequestLine("show", token));
  EXPECT_FALSE(ReadRequestLine("hello\n", token));
  EXPECT_EQ(token, ActivationToken{});
}

TEST(InstanceSessionTest, AShowComesForwardWithTheAskingStartsTokenOfItsSystem) {
  const ActivationToken both{.xdgActivation = "xdg-1", .startupId = "id_TIME5"};
  struct Case {
    const char* name;
    bool wayland;
    std::optional<ActivationToken> asking;
    bool visible, active;
    FrontShow plan;
  };
  const Case cases[] = {
      {"X11, asked", false, both, true, false, {false, "", "id_TIME5"}},
      {"X11, the icon's click", false, {}, true, false, {}},
      {"Wayland, asked, behind", true, both, true, false, {true, "xdg-1", ""}},
      {"Wayland, asked, active", true, both, true, true, {false, "xdg-1", ""}},
      {"Wayland, asked, hidden", true, both, false, false, {false, "xdg-1", ""}},
      {"Wayland, the icon's click", true, {}, true, false, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlanFrontShow(c.wayland, c.asking, c.visible, c.active), c.plan) << c.name;
}

// A start that ends unanswered says so in a box too; one that runs only warns.
TEST(InstanceSessionTest, OnlyALockHeldByAnotherInstanceKeepsThisStartFromRunning) {
  struct Case {
    LockRefusal why;
    bool answered;
    bool runs;
    const char* warning;
    const char* box = "";
  };
  const Case cases[] = {
      {LockRefusal::HeldByAnother, true, false, ""},
      {LockRefusal::HeldByAnother, false, false,
       "px6410: another instance runs but does not answer (its process id is the first line of /run/px.lock)\n",
       "Another px6410 runs in this desktop session but does not answer, so this start ends.\n\n"
       "End that instance (its process id is the first line of /run/px.lock) and start px6410 again."},
      {LockRefusal::NoFolder, false, true,
       "px6410: no runtime folder for the lock; a second start will not find this one\n"},
      {LockRefusal::PermissionDenied, false, true,
       "px6410: cannot make the lock /run/px.lock (permission denied); a second start will not find this one\n"},
      {LockRefusal::FolderUnusable, false, true,
       "px6410: cannot make the lock /run/px.lock (its folder is unusable); a second start will not find this one\n"},
  };
  for (const Case& c : cases) {
    const LockAnswer answer = AnswerLockRefusal(c.why, "/run/px.lock", c.answered);
    EXPECT_EQ(answer.runs, c.runs) << c.warning;
    EXPECT_EQ(answer.warning, c.warning);
    EXPECT_EQ(answer.box, c.box) << c.warning;
  }
}

TEST(InstanceSessionTest, AnX11StartupIdGivesItsTimeAndTheMessageThatEndsIt) {
  const struct {
    const char* id;
    std::optional<std::uint32_t> time;
  } times[] = {
      {"kde-host-1234-5_TIME98765", 98765u},
      {"openbox-1_TIME0", std::nullopt},
      {"a_TIME1_TIME42", 42u},
      {"no-time", std::nullopt},
      {"x_TIME", std::nullopt},
      {"x_TIME12a", std::nullopt},
      {"x_TIME4294967295", 4294967295u},
      {"x_TIME4294967296", std::nullopt},
  };
  for (const auto& c : times) EXPECT_EQ(StartupIdTime(c.id), c.time) << c.id;
  EXPECT_EQ(StartupRemoveMessage("gnome-1_TIME5"), std::string("remove: ID=gnome-1_TIME5\0", 25));
  EXPECT_EQ(StartupRemoveMessage("a b\"c\\"), std::string("remove: ID=a\\ b\\\"c\\\\\0", 21));
}

}  // namespace
}  // namespace px
