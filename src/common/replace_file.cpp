#include "common/replace_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace px {

ReplaceFileResult ReplaceFileContents(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
  std::filesystem::path temp = target;
  temp += ".tmp";
  std::error_code ignored;
  const auto writeFailure = [] {
    return ReplaceFileResult{ReplaceFileResult::Step::Write, std::strerror(errno != 0 ? errno : EIO)};
  };
  {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return writeFailure();
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      ReplaceFileResult failed = writeFailure();
      std::filesystem::remove(temp, ignored);
      return failed;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::filesystem::remove(temp, ignored);
    return {ReplaceFileResult::Step::Replace, ec.message()};
  }
  return {};
}

}  // namespace px
