#include "app/tray_click.h"

namespace px {

namespace {
constexpr std::int64_t kLeftButtonUp = 0x202;
constexpr std::int64_t kLeftButtonDoubleClick = 0x203;
constexpr std::int64_t kRightButtonUp = 0x205;
}  // namespace

TrayClickPlan DecideTrayClick(std::int64_t mouseMessage, const TrayState& state) {
  TrayClickPlan plan;
  if (mouseMessage == kRightButtonUp) {
    plan.action = TrayAction::ShowExitMenu;
    return plan;
  }
  if (mouseMessage != kLeftButtonUp && mouseMessage != kLeftButtonDoubleClick) return plan;

  if (!state.devicePresent) {
    plan.action = TrayAction::NotifyNotDetected;
    return plan;
  }
  plan.action = TrayAction::ShowWindow;
  if (state.labelsReloadPending) {
    plan.clearLabelsReloadPending = true;
    plan.rebuildPage = state.pageState == kPageBuilt;
  } else if (!state.pageBuiltOnce) {
    plan.buildPage = true;
  }
  return plan;
}

}  // namespace px
