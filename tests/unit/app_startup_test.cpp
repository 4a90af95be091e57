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

TEST(HideAtStartCounterTest, AShowFromTheTrayEndsTheCountEarly) {
  HideAtStartCounter counter;
  EXPECT_TRUE(counter.TakeHide());
  counter.Stop();
  EXPECT_FALSE(counter.TakeHide());
}

}  // namespace
}  // namespace px
