#include "winui/dialog.h"

#include <cstring>
#include <cwchar>

namespace px::winui {

Dialog::Dialog(int templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

Dialog::Dialog(std::vector<unsigned char> memoryTemplate, HWND owner)
    : memoryTemplate_(std::move(memoryTemplate)), owner_(owner) {}

Dialog::~Dialog() {
  if (hwnd_ != nullptr && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

HWND Dialog::Create() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  LPARAM self = reinterpret_cast<LPARAM>(this);
  if (!memoryTemplate_.empty()) {
    return ::CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(memoryTemplate_.data()),
                                        owner_, &Dialog::DialogProc, self);
  }
  return ::CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId_), owner_, &Dialog::DialogProc, self);
}

INT_PTR Dialog::DoModal() {
  ended_ = false;
  result_ = -1;
  // The owner is disabled only while the dialog runs, and only if we were the
  // ones to disable it (a nested dialog must not re-enable a disabled owner).
  bool disabledOwner = owner_ != nullptr && ::IsWindowEnabled(owner_);
  if (disabledOwner) ::EnableWindow(owner_, FALSE);

  if (Create() == nullptr) {
    if (disabledOwner) ::EnableWindow(owner_, TRUE);
    return -1;
  }

  MSG message{};
  while (!ended_) {
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT belongs to the outer loop
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (!PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }

  // Re-enable before destroying, so that the system activates the owner.
  if (disabledOwner) ::EnableWindow(owner_, TRUE);
  if (hwnd_ != nullptr) {
    ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  return result_;
}

void Dialog::EndDialog(INT_PTR result) {
  ended_ = true;
  result_ = result;
  // Wake the loop if nothing else is queued.
  if (hwnd_ != nullptr) ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

bool Dialog::PreTranslateMessage(MSG& message) {
  return hwnd_ != nullptr && ::IsDialogMessageW(hwnd_, &message);
}

std::optional<LRESULT> Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    switch (LOWORD(wParam)) {
      case IDOK:
        OnOk();
        return 0;
      case IDCANCEL:
        OnCancel();
        return 0;
      default:
        break;
    }
  }
  return std::nullopt;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    return self->OnInitDialog() ? TRUE : FALSE;
  }
  self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->Dispatch(message, wParam, lParam);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  std::optional<LRESULT> answer = OnMessage(message, wParam, lParam);
  if (!answer) return FALSE;
  switch (message) {
    // These answer through the procedure's return value itself.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return static_cast<INT_PTR>(*answer);
    default:
      ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, *answer);
      return TRUE;
  }
}

namespace {

void Put16(std::vector<unsigned char>& out, WORD value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>(value >> 8));
}
void Put32(std::vector<unsigned char>& out, DWORD value) {
  Put16(out, static_cast<WORD>(value & 0xFFFF));
  Put16(out, static_cast<WORD>(value >> 16));
}
void PutText(std::vector<unsigned char>& out, const wchar_t* text) {
  if (text != nullptr) {
    for (; *text != L'\0'; ++text) Put16(out, static_cast<WORD>(*text));
  }
  Put16(out, 0);
}

}  // namespace

std::vector<unsigned char> BuildDialogTemplate(DWORD style, DWORD exStyle, short cx, short cy,
                                               const wchar_t* className, const wchar_t* fontFace,
                                               WORD pointSize, WORD weight, BYTE charset) {
  std::vector<unsigned char> out;
  if (fontFace != nullptr) style |= DS_SETFONT;
  else style &= ~static_cast<DWORD>(DS_SETFONT);
  Put16(out, 1);       // dlgVer
  Put16(out, 0xFFFF);  // signature: DLGTEMPLATEEX
  Put32(out, 0);       // helpID
  Put32(out, exStyle);
  Put32(out, style);
  Put16(out, 0);  // no items
  Put16(out, 0);  // x
  Put16(out, 0);  // y
  Put16(out, static_cast<WORD>(cx));
  Put16(out, static_cast<WORD>(cy));
  Put16(out, 0);  // no menu
  PutText(out, className);
  PutText(out, L"");  // no title
  if (fontFace != nullptr) {
    Put16(out, pointSize);
    Put16(out, weight);
    out.push_back(0);  // italic
    out.push_back(charset);
    PutText(out, fontFace);
  }
  // Templates are DWORD aligned when handed to the system.
  while (out.size() % 4 != 0) out.push_back(0);
  return out;
}

}  // namespace px::winui
