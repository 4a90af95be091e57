#include "storage/executable_path.h"

#include <filesystem>
#include <system_error>

namespace px {

Text RunningExecutablePath() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? Text{} : path.u16string();
}

}  // namespace px
