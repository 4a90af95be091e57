#include <gtest/gtest.h>

#include "app/tray_click.h"

namespace px {
namespace {

constexpr std::int64_t kLeftUp = 0x202, kLeftDouble = 0x203, kRightUp = 0x205;

TEST(TrayClickTest, WithoutMouseALeftClickOnlyWarns) {
  TrayState state{.devicePresent = false, .labelsReloadPending = true, .pageState = kPageBuilt, .pageBuiltOnce = true};
  for (auto message : {kLeftUp, kLeftDouble}) {
    TrayClickPlan plan = DecideTrayClick(message, state);
    EXPECT_EQ(plan, (TrayClickPlan{TrayAction::NotifyNotDetected, false, false, false}));
  }
}

TEST(TrayClickTest, FirstShowBuildsThePageOnce) {
  TrayState state{.devicePresent = true};
  EXPECT_EQ(DecideTrayClick(kLeftUp, state), (TrayClickPlan{TrayAction::ShowWindow, false, false, true}));
  state.pageBuiltOnce = true;
  state.pageState = kPageBuilt;
  EXPECT_EQ(DecideTrayClick(kLeftDouble, state), (TrayClickPlan{TrayAction::ShowWindow, false, false, false}));
}

TEST(TrayClickTest, PendingReloadClearsTheFlagAndRebuildsOnlyABuiltPage) {
  TrayState state{.devicePresent = true, .labelsReloadPending = true, .pageState = kPageBuilt, .pageBuiltOnce = true};
  EXPECT_EQ(DecideTrayClick(kLeftUp, state), (TrayClickPlan{TrayAction::ShowWindow, true, true, false}));
  // Not built: the flag is consumed, nothing is built here.
  state.pageState = kPageNotBuilt;
  state.pageBuiltOnce = false;
  EXPECT_EQ(DecideTrayClick(kLeftUp, state), (TrayClickPlan{TrayAction::ShowWindow, true, false, false}));
}

TEST(TrayClickTest, RightButtonUpOpensTheMenuWhateverTheState) {
  EXPECT_EQ(DecideTrayClick(kRightUp, TrayState{}).action, TrayAction::ShowExitMenu);
  EXPECT_EQ(DecideTrayClick(kRightUp, TrayState{.devicePresent = true}).action, TrayAction::ShowExitMenu);
}

TEST(TrayClickTest, EveryOtherMouseMessageIsIgnored) {
  TrayState state{.devicePresent = true};
  for (std::int64_t message : {0x200, 0x201, 0x204, 0x206, 0x207, 0x208, 0x10202, -1, 0}) {
    EXPECT_EQ(DecideTrayClick(message, state), TrayClickPlan{}) << message;
  }
}

}  // namespace
}  // namespace px
