#include "app/win32/win32_ports.h"

#include <vector>

#include "app/win32/win32_text.h"

namespace px {

void WindowMessageBox::ShowMessage(TextView text, TextView caption) {
  std::wstring body = WideString(text);
  std::wstring title = WideString(caption);
  ::MessageBoxW(owner_, body.c_str(), title.c_str(), MB_OK);
}

Text ModuleFilePath() {
  std::vector<wchar_t> buffer(1024);
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return Text();
    if (length < buffer.size()) return Text(reinterpret_cast<const char16_t*>(buffer.data()), length);
    buffer.resize(buffer.size() * 2);  // a deep folder: never work on a cut path
  }
}

}  // namespace px
