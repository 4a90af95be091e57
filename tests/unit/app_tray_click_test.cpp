#include <gtest/gtest.h>

#include "app/tray_click.h"

namespace px {
namespace {

constexpr TrayMouse kLeftUp = TrayMouse::LeftUp, kLeftDouble = TrayMouse::LeftDoubleClick, kRightUp = TrayMouse::RightUp;

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

TEST(TrayClickTest, EveryOtherMouseEventIsIgnored) {
  EXPECT_EQ(DecideTrayClick(TrayMouse::Other, TrayState{.devicePresent = true}), TrayClickPlan{});
}

}  // namespace
}  // namespace px
