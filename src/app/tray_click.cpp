#include "app/tray_click.h"

namespace px {

TrayClickPlan DecideTrayClick(TrayMouse event, const TrayState& state) {
  TrayClickPlan plan;
  if (event == TrayMouse::RightUp) {
    plan.action = TrayAction::ShowExitMenu;
    return plan;
  }
  if (event != TrayMouse::LeftUp && event != TrayMouse::LeftDoubleClick) return plan;

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
