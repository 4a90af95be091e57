// Two programs on one settings folder: when the utility takes what another
// program wrote, and how it tells that the files changed at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/shared_settings.h"
#include "device_fixtures.h"
#include "storage/shared_files.h"

namespace px {
namespace {

TEST(SharedSettings, WhenTheFilesAreTaken) {
  using M = SharedFilesMoment;
  using A = SharedFilesAction;
  struct Case {
    M moment;
    bool changed, edits;
    A expected;
  };
  const Case cases[] = {
      {M::Show, false, false, A::KeepPage},  {M::Show, false, true, A::KeepPage},
      {M::Show, true, false, A::TakeFiles},  {M::Show, true, true, A::KeepPage},  // the edits stay until Cancel
      {M::Cancel, false, false, A::KeepPage}, {M::Cancel, false, true, A::KeepPage},
      {M::Cancel, true, false, A::TakeFiles}, {M::Cancel, true, true, A::TakeFiles},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecideSharedFiles(c.moment, c.changed, c.edits), c.expected)
        << (c.moment == M::Show ? "show" : "cancel") << " changed=" << c.changed << " edits=" << c.edits;
  }
}

TEST(SharedSettings, EditsAreTheModelOrALabelAwayFromTheLastLoadOrApply) {
  SettingsSession session;
  LabelSet applied{};
  applied[3] = u"DPI Loop";
  session.labels = applied;
  EXPECT_FALSE(HasUnappliedEdits(session, applied));
  session.labels[3] = u"Single Key-F13";  // a key without a code: the model alone would not tell
  EXPECT_TRUE(HasUnappliedEdits(session, applied));
  session.labels = applied;
  session.model.ReportRateCode = 2;
  EXPECT_TRUE(HasUnappliedEdits(session, applied));
  session.labelsReloadPending = true;  // a Cancel dropped them
  EXPECT_FALSE(HasUnappliedEdits(session, applied));
}

// The machine's own file system: a rewrite by rename and one in place, of
// the same size at once (within one tick of the file times), are both seen;
// a read is not.
TEST(SharedSettings, TheFilesIdentityTellsEveryRewrite) {
  testing::TempDir dir;
  const auto config = dir.path() / "config.bin";
  const auto ini = dir.path() / "str.ini";
  auto put = [](const std::filesystem::path& file, char fill) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(200, fill);
  };
  put(config, 'a');
  put(ini, 'a');
  SharedSettingsFiles shared(SystemFileSystem(), config, ini);
  shared.Remember();
  EXPECT_FALSE(shared.ChangedElsewhere());
  static_cast<void>(testing::ReadBytes(config));
  EXPECT_FALSE(shared.ChangedElsewhere());

  put(dir.path() / "new.bin", 'b');
  std::filesystem::rename(dir.path() / "new.bin", config);
  EXPECT_TRUE(shared.ChangedElsewhere());
  shared.Remember();
  EXPECT_FALSE(shared.ChangedElsewhere());

  put(ini, 'c');
  EXPECT_TRUE(shared.ChangedElsewhere());
  shared.Remember();
  std::filesystem::remove(ini);
  EXPECT_TRUE(shared.ChangedElsewhere());
}

}  // namespace
}  // namespace px
