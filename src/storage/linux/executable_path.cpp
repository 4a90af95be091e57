#include "storage/executable_path.h"

#include <system_error>

namespace px {

NativePath RunningExecutableFile() {
  std::error_code ec;
  NativePath path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? NativePath{} : path;
}

// A folder name that is not UTF-8 shows with U+FFFD here; the tools use the
// bytes themselves.
Text RunningExecutablePath() { return FromUtf8(RunningExecutableFile().native()); }

}  // namespace px
