// The Win32 windows of the parameter dialogs. The single key dialog's
// (CSingleDialog's) adds a keyboard hook on the interface thread that names
// each keystroke as the system names it, and a filter that keeps Enter,
// Escape and the Windows keys from acting on the dialog.
#include "buttons/win32/parameter_dialogs.h"

#include "buttons/win32/single_key_filter.h"
#include "skin/win32/skinned_dialog.h"

namespace px {
namespace {

// Shared by the hook procedure and the open dialog; the last name outlives it.
HHOOK g_hook = nullptr;
HWND g_target = nullptr;
Text g_lastKeyName;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (!KeyHookCaptures(HookNoticeOf(code))) return ::CallNextHookEx(g_hook, code, wParam, lParam);
  wchar_t buffer[kKeyNameBuffer] = {};
  ::GetKeyNameTextW(static_cast<LONG>(lParam), buffer, static_cast<int>(kKeyNameBuffer));
  g_lastKeyName = KeyNameFromBuffer(reinterpret_cast<const char16_t*>(buffer), kKeyNameBuffer);
  ::SendMessageW(g_target, kKeyNameMessage, 0, 0);
  // Not passed on down the chain; the keystroke itself still reaches its window.
  return 0;
}

class SingleKeyWindow final : public SkinnedDialog {
 public:
  explicit SingleKeyWindow(HWND owner) : SkinnedDialog(DialogKind::Single, owner) {}
  ~SingleKeyWindow() override { RemoveHook(); }

  std::optional<unsigned long> StartKeyCapture() override {
    g_target = Hwnd();
    hook_.Reset(::SetWindowsHookExW(WH_KEYBOARD, &KeyboardHook, nullptr, ::GetCurrentThreadId()));
    g_hook = hook_.Get();
    if (!hook_) return ::GetLastError();
    return std::nullopt;
  }

 protected:
  bool PreTranslateMessage(MSG& message) override {
    if (SingleKeySwallows(QueuedMessageOf(message.message), QueuedKeyOf(message.wParam))) return true;
    return SkinnedDialog::PreTranslateMessage(message);
  }

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kKeyNameMessage:
        if (Controller() != nullptr) Controller()->KeyCaptured(g_lastKeyName);
        return 1;
      case WM_HELP:
        return TRUE;
      case WM_DESTROY:
        // No key may reach a window that is gone.
        RemoveHook();
        break;
      default:
        break;
    }
    return SkinnedDialog::OnMessage(message, wParam, lParam);
  }

 private:
  void RemoveHook() {
    if (hook_.Get() == g_hook) g_hook = nullptr;
    hook_.Reset();
    if (g_target == Hwnd()) g_target = nullptr;
  }

  winui::UniqueHook hook_;
};

}  // namespace

std::unique_ptr<ModalDialogView> Win32DialogWindows::NewDialog(DialogKind kind) {
  if (kind == DialogKind::Single) return std::make_unique<SingleKeyWindow>(owner_);
  return std::make_unique<SkinnedDialog>(kind, owner_);
}

}  // namespace px
