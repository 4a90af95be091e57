#pragma once
// Writing a whole file so that a failure never leaves a partial one: the
// bytes go to a temporary file beside the target, which replaces the old file
// in one step (rename; MoveFileExW with MOVEFILE_REPLACE_EXISTING on Windows)
// only once it is complete.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace px {

struct ReplaceFileResult {
  enum class Step { None, Write, Replace };
  Step failedAt = Step::None;  // where it failed; the old file is then as it was
  std::string reason;          // the system's words for the failure
  bool Ok() const { return failedAt == Step::None; }
};

ReplaceFileResult ReplaceFileContents(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

}  // namespace px
