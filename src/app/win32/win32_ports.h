#pragma once
// The core's ports on Windows: message boxes owned by a window, Sleep.
#include <windows.h>

#include "common/ports.h"
#include "skin/win32/ui_text.h"

namespace px {

class WindowMessageBox final : public MessageBoxPort {
 public:
  explicit WindowMessageBox(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  void ShowMessage(TextView text, TextView caption) override { ShowOkBox(owner_, text, caption); }

 private:
  HWND owner_;
};

class SleepWait final : public WaitPort {
 public:
  void Wait(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

}  // namespace px
