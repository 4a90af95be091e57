// CSingleDialog: captures one key with a keyboard hook on the interface
// thread and shows the name the system gives it. Enter, Escape and the
// Windows keys are captured like any other key instead of acting on the dialog.
#include "buttons/dialog_fields.h"
#include "buttons/win32/parameter_dialogs.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

constexpr COLORREF kPromptColour = 0xFFFFFF;

// Shared by the hook procedure and the open dialog; the last name outlives it.
HHOOK g_hook = nullptr;
HWND g_target = nullptr;
Text g_lastKeyName;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (!KeyHookCaptures(code)) return ::CallNextHookEx(g_hook, code, wParam, lParam);
  wchar_t buffer[kKeyNameBuffer] = {};
  ::GetKeyNameTextW(static_cast<LONG>(lParam), buffer, static_cast<int>(kKeyNameBuffer));
  g_lastKeyName = KeyNameFromBuffer(reinterpret_cast<const char16_t*>(buffer), kKeyNameBuffer);
  ::SendMessageW(g_target, kKeyNameMessage, 0, 0);
  // Not passed on down the chain; the keystroke itself still reaches its window.
  return 0;
}

RECT ToRect(const FrameRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

class CSingleDialog final : public SkinnedDialog {
 public:
  CSingleDialog(HWND owner, const SkinnedDialogContext& context) : SkinnedDialog(DialogKind::Single, owner, context) {}
  ~CSingleDialog() override { RemoveHook(); }

  const Text& CapturedKeyName() const { return ChosenText(); }

 protected:
  bool FinishOpening() override {
    g_target = Hwnd();
    hook_.Reset(::SetWindowsHookExW(WH_KEYBOARD, &KeyboardHook, nullptr, ::GetCurrentThreadId()));
    g_hook = hook_.Get();
    if (!hook_) {
      const Text text = HookInstallErrorText(::GetLastError());
      const Text caption = ApplicationNameFromPath(ExecutablePath());
      ::MessageBoxW(Hwnd(), reinterpret_cast<const wchar_t*>(text.c_str()),
                    reinterpret_cast<const wchar_t*>(caption.c_str()), MB_OK);
      return false;
    }
    return true;
  }

  void DrawExtraTexts(HDC dc) override {
    ::SetTextColor(dc, kPromptColour);
    DrawUiText(dc, SingleKeyPrompt(Context().language), ToRect(kSingleKeyPrompt));
  }

  bool PreTranslateMessage(MSG& message) override {
    if (SingleKeySwallows(message.message, message.wParam)) return true;
    return SkinnedDialog::PreTranslateMessage(message);
  }

  std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM, LPARAM) override {
    switch (message) {
      case kKeyNameMessage: {
        SetChosen(0, g_lastKeyName);
        const std::wstring name(g_lastKeyName.begin(), g_lastKeyName.end());
        ::SetWindowTextW(Label().Hwnd(), name.c_str());
        ::InvalidateRect(Label().Hwnd(), nullptr, TRUE);
        return 1;
      }
      case WM_HELP:
        return TRUE;
      case WM_DESTROY:
        // No key may reach a window that is gone.
        RemoveHook();
        return std::nullopt;
      default:
        return std::nullopt;
    }
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

std::optional<SingleKeyChoice> RunSingleKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  CSingleDialog dialog(owner, context);
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return SingleKeyChoice{dialog.CapturedKeyName()};
}

}  // namespace px
