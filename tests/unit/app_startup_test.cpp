#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"

namespace px {
namespace {

// Runs the sequence with the given outcomes and answers the steps visited.
std::vector<int> Visit(bool firstInstance, bool mouseFound, bool registered) {
  std::vector<int> steps;
  bool devicePresent = false;
  StartupStep step = StartupStep::CheckSingleInstance;
  while (step != StartupStep::Done && steps.size() < 40) {
    steps.push_back(static_cast<int>(step));
    bool succeeded = true;
    if (step == StartupStep::CheckSingleInstance) succeeded = firstInstance;
    if (step == StartupStep::DiscoverMouse) succeeded = devicePresent = mouseFound;
    if (step == StartupStep::RegisterDeviceNotification) succeeded = registered;
    step = NextStartupStep(step, succeeded, devicePresent);
  }
  return steps;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> steps;
  for (int i = first; i <= last; ++i) steps.push_back(i);
  return steps;
}

TEST(StartupSequenceTest, WithTheMouseAllNineteenStepsRunInOrder) {
  EXPECT_EQ(Visit(true, true, true), Range(1, 19));
}

TEST(StartupSequenceTest, WithoutTheMouseThePageIsNotBuilt) {
  EXPECT_EQ(Visit(true, false, true), Range(1, 18));
}

TEST(StartupSequenceTest, FailedDeviceRegistrationSkipsTheRest) {
  EXPECT_EQ(Visit(true, true, false), Range(1, 9));
  EXPECT_EQ(Visit(true, false, false), Range(1, 9));
}

TEST(StartupSequenceTest, SecondInstanceStopsAtTheFirstStep) {
  EXPECT_EQ(Visit(false, true, true), Range(1, 1));
}

TEST(StartupSequenceTest, StepsThatFailOtherwiseStillGoOn) {
  EXPECT_EQ(NextStartupStep(StartupStep::MessageFilter, false, false), StartupStep::AddTrayIcon);
  EXPECT_EQ(NextStartupStep(StartupStep::LoadBackground, false, true), StartupStep::ResizeToBackground);
}

TEST(HideAtStartCounterTest, HidesTheFirstTwoFramePaintsOnly) {
  HideAtStartCounter counter;
  EXPECT_TRUE(counter.TakeHide());
  EXPECT_TRUE(counter.TakeHide());
  EXPECT_FALSE(counter.TakeHide());
  EXPECT_FALSE(counter.TakeHide());
  EXPECT_EQ(counter.Remaining(), 0);
}

TEST(PathsTest, ExecutableFolderKeepsItsSeparatorWhateverTheFileName) {
  EXPECT_EQ(ExecutableFolder(u"C:\\Tools\\PX6410-3-4.exe"), u"C:\\Tools\\");
  EXPECT_EQ(ExecutableFolder(u"C:\\Tools\\Mouse Setup.exe"), u"C:\\Tools\\");
  // The name inside the folder part must not be cut out.
  EXPECT_EQ(ExecutableFolder(u"C:\\PX6410-3-4.exe\\copy.exe"), u"C:\\PX6410-3-4.exe\\");
  EXPECT_EQ(ExecutableFolder(u"Z:/tmp/x/PX6410-3-4.exe"), u"Z:/tmp/x/");
  EXPECT_EQ(ExecutableFolder(u"PX6410-3-4.exe"), u"");
}

TEST(PathsTest, SkinFolderKeepsMixedSeparatorsAsTheImagesExpect) {
  EXPECT_EQ(SkinFolderFor(u"C:\\Tools\\", u"Blue"), u"C:\\Tools\\/Skins/Blue");
  EXPECT_EQ(SkinFolderFor(u"C:\\Tools\\", u""), u"C:\\Tools\\/Skins/");
}

TEST(ColorComponentTest, DecimalTextMissingOrNonNumericGivesZero) {
  EXPECT_EQ(ColorComponentFromText(u"255"), 255);
  EXPECT_EQ(ColorComponentFromText(u" 40"), 40);
  EXPECT_EQ(ColorComponentFromText(u"12abc"), 12);
  EXPECT_EQ(ColorComponentFromText(u""), 0);
  EXPECT_EQ(ColorComponentFromText(u"green"), 0);
  EXPECT_EQ(ColorComponentFromText(u"256"), 0);  // a byte keeps the low part
  EXPECT_EQ(ColorComponentFromText(u"-1"), 255);
}

TEST(MainWindowFontsTest, FontTableByLanguageAndVersion) {
  constexpr std::uint32_t kWin7 = 0x0106, kWin8 = 0x0206, kWin10 = 0x000A;
  MainWindowFonts chsOld = ChooseMainWindowFonts(Language::SimplifiedChinese, kWin7);
  EXPECT_EQ(chsOld, (MainWindowFonts{{u"\u5B8B\u4F53", 13, 400}, {u"\u5B8B\u4F53", 18, 700}}));
  MainWindowFonts chs8 = ChooseMainWindowFonts(Language::SimplifiedChinese, kWin8);
  EXPECT_EQ(chs8, (MainWindowFonts{{u"\u9ED1\u4F53", 13, 400}, {u"\u9ED1\u4F53", 18, 700}}));
  EXPECT_EQ(ChooseMainWindowFonts(Language::SimplifiedChinese, kWin10).normal.face, u"\u5B8B\u4F53");
  for (auto version : {kWin7, kWin8, kWin10}) {
    EXPECT_EQ(ChooseMainWindowFonts(Language::TraditionalChinese, version),
              (MainWindowFonts{{u"\u9ED1\u4F53", 14, 400}, {u"\u9ED1\u4F53", 18, 700}}));
    EXPECT_EQ(ChooseMainWindowFonts(Language::English, version),
              (MainWindowFonts{{u"Arial", 14, 400}, {u"Tahoma", 18, 700}}));
  }
}

}  // namespace
}  // namespace px
