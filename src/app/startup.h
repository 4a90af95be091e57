#pragma once
// The main window's start-up sequence as data: the steps in order, which
// step follows which outcome, and the hide-at-start counter.

namespace px {

enum class StartupStep {
  CheckSingleInstance = 1,
  DialogInit,
  SetIcons,
  ToolWindowStyle,
  PublishWindow,
  MessageFilter,
  AddTrayIcon,
  DiscoverMouse,
  RegisterDeviceNotification,
  LoadConfig,
  CopySavedSettings,
  ReadLanguage,
  SetTexts,
  LoadLabelsAndSkinKeys,
  LoadBackground,
  ResizeToBackground,
  PublishSkin,
  CreateFonts,
  BuildPage,
  Done,  // the initialisation ends (with TRUE), or the process ends after CheckSingleInstance
};

// The step after `step`. succeeded is what the step answered (for the
// single-instance check: no other instance runs); devicePresent is the flag
// as the step leaves it.
StartupStep NextStartupStep(StartupStep step, bool succeeded, bool devicePresent);

// A request to paint the window's frame (WM_NCPAINT) hides the window instead
// while the counter runs down, so the visible template never shows at start.
class HideAtStartCounter {
 public:
  // True when this frame paint must hide the window rather than paint.
  bool TakeHide() {
    if (remaining_ <= 0) return false;
    --remaining_;
    return true;
  }
  int Remaining() const { return remaining_; }
  // The window is shown on purpose (from the tray): the start is over, and a
  // frame paint left over from it must not hide the window again.
  void Stop() { remaining_ = 0; }

 private:
  int remaining_ = 2;
};

}  // namespace px
