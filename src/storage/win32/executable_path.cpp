#include "storage/executable_path.h"

#include <windows.h>

#include <string>

namespace px {

// However long the path is: a cut path would name some other file.
Text RunningExecutablePath() {
  std::wstring buffer(1024, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);  // cut: try again with room to spare
  }
  return Text(reinterpret_cast<const char16_t*>(buffer.data()), buffer.size());
}

NativePath RunningExecutableFile() { return PathFromText(RunningExecutablePath()); }

}  // namespace px
