#include <ostream>

#include "cli.h"

namespace px::cli {

int UsageError(Context& ctx, const std::string& message) {
  // Messages quote what was given; a control character in it (a newline in
  // a quoted argument or a JSON string) must not break the one line.
  std::string line;
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      constexpr char kHex[] = "0123456789abcdef";
      line += "\\x";
      line += kHex[byte >> 4];
      line += kHex[byte & 0xF];
    } else {
      line += c;
    }
  }
  ctx.err << "px6410ctl: " << line << '\n';
  return kExitUsage;
}

}  // namespace px::cli
