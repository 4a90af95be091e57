#include "app/win32/win32_ports.h"

#include "common/win32/wide_text.h"

namespace px {

void WindowMessageBox::ShowMessage(TextView text, TextView caption) {
  std::wstring body = WideString(text);
  std::wstring title = WideString(caption);
  ::MessageBoxW(owner_, body.c_str(), title.c_str(), MB_OK);
}

}  // namespace px
