#include "app/instance_session.h"

namespace px {
namespace {

constexpr std::string_view kShowLine = "show\n";
constexpr std::string_view kXdgPrefix = "xdg-activation-token ";
constexpr std::string_view kStartupPrefix = "desktop-startup-id ";
// Far longer than any token a desktop makes; keeps a line bounded.
constexpr std::size_t kMaxToken = 512;
// Room for the name in a socket path of at most 107 bytes.
constexpr std::size_t kMaxSessionName = 48;

bool Safe(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.';
}

// Letters, digits, '-', '_' and '.' as they are, anything else '_'; no
// leading dot (a hidden file, or "." and "..").
std::string SafeName(std::string_view raw) {
  std::string name;
  for (char c : raw.substr(0, kMaxSessionName)) name += Safe(c) ? c : '_';
  if (!name.empty() && name.front() == '.') name.front() = '_';
  return name;
}

// ":0" and ":0.0" are one display: the screen number is dropped.
std::string_view X11DisplayOnly(std::string_view display) {
  const std::size_t colon = display.rfind(':');
  if (colon == std::string_view::npos) return display;
  const std::size_t dot = display.find('.', colon);
  return dot == std::string_view::npos ? display : display.substr(0, dot);
}

// A token is sent as one line of printable ASCII.
bool FitsOneLine(std::string_view token) {
  if (token.empty() || token.size() > kMaxToken) return false;
  for (char c : token) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

bool ReadToken(std::string_view line, std::string_view prefix, std::string& into) {
  if (!line.starts_with(prefix) || !line.ends_with('\n')) return false;
  const std::string_view token = line.substr(prefix.size(), line.size() - prefix.size() - 1);
  if (FitsOneLine(token)) into = token;
  return true;
}

}  // namespace

std::string InstanceFileName(const SessionEnvironment& session) {
  if (!session.sessionId.empty()) return "px6410-session-" + SafeName(session.sessionId);
  if (!session.waylandDisplay.empty()) return "px6410-wayland-" + SafeName(session.waylandDisplay);
  if (!session.x11Display.empty()) return "px6410-x11-" + SafeName(X11DisplayOnly(session.x11Display));
  return "px6410";
}

std::string EncodeShowRequest(const ActivationToken& token) {
  std::string request;
  if (FitsOneLine(token.xdgActivation)) request.append(kXdgPrefix).append(token.xdgActivation).append("\n");
  if (FitsOneLine(token.startupId)) request.append(kStartupPrefix).append(token.startupId).append("\n");
  return request.append(kShowLine);
}

bool ReadRequestLine(std::string_view line, ActivationToken& token) {
  if (line == kShowLine) return true;
  if (!ReadToken(line, kXdgPrefix, token.xdgActivation)) ReadToken(line, kStartupPrefix, token.startupId);
  return false;
}

std::optional<std::uint32_t> StartupIdTime(std::string_view startupId) {
  constexpr std::string_view kTime = "_TIME";
  const std::size_t at = startupId.rfind(kTime);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view digits = startupId.substr(at + kTime.size());
  if (digits.empty() || digits.size() > 10) return std::nullopt;
  std::uint64_t time = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    time = time * 10 + static_cast<std::uint64_t>(c - '0');
  }
  // X times are 32-bit; 0 means "no time" there.
  if (time == 0 || time > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(time);
}

std::string StartupRemoveMessage(std::string_view startupId) {
  std::string message = "remove: ID=";
  for (char c : startupId) {
    if (c == ' ' || c == '"' || c == '\\') message += '\\';
    message += c;
  }
  message += '\0';
  return message;
}

FrontShow PlanFrontShow(bool wayland, const std::optional<ActivationToken>& askingStart, bool visible, bool active) {
  const ActivationToken token = askingStart.value_or(ActivationToken{});
  if (!wayland) return {false, {}, token.startupId};
  return {askingStart && visible && !active, token.xdgActivation, {}};
}

LockAnswer AnswerLockRefusal(LockRefusal why, std::string_view lockPath, bool answered) {
  const std::string unseen = "; a second start will not find this one\n";
  switch (why) {
    case LockRefusal::HeldByAnother: {
      if (answered) return {false, "", ""};
      // The lock's first line is its holder's process id (QLockFile).
      const std::string holder = " (its process id is the first line of " + std::string(lockPath) + ")";
      return {false, "px6410: another instance runs but does not answer" + holder + "\n",
              "Another px6410 runs in this desktop session but does not answer, so this start ends.\n\n"
              "End that instance" + holder + " and start px6410 again."};
    }
    case LockRefusal::NoFolder: return {true, "px6410: no runtime folder for the lock" + unseen, ""};
    case LockRefusal::PermissionDenied:
      return {true, "px6410: cannot make the lock " + std::string(lockPath) + " (permission denied)" + unseen, ""};
    case LockRefusal::FolderUnusable: break;
  }
  return {true, "px6410: cannot make the lock " + std::string(lockPath) + " (its folder is unusable)" + unseen, ""};
}

}  // namespace px
