#include "common/native_path.h"

namespace px {

namespace {

#ifdef _WIN32
// UTF-8 that also carries unpaired surrogates (as 0xED 0xA0..0xBF ..), so
// that every Windows file name survives the trip through a narrow string.
std::u16string WideFromArgument(const std::string& bytes) {
  std::u16string out;
  std::size_t i = 0;
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  while (i < bytes.size()) {
    if (at(i) == 0xED && i + 2 < bytes.size() && (at(i + 1) & 0xE0) == 0xA0 && (at(i + 2) & 0xC0) == 0x80) {
      out += static_cast<char16_t>(0xD000 | ((at(i + 1) & 0x3F) << 6) | (at(i + 2) & 0x3F));
      i += 3;
      continue;
    }
    // Everything else is plain UTF-8; find the end of the run.
    std::size_t end = i + 1;
    while (end < bytes.size() && !(at(end) == 0xED && end + 1 < bytes.size() && (at(end + 1) & 0xE0) == 0xA0)) ++end;
    out += FromUtf8(std::string_view(bytes).substr(i, end - i));
    i = end;
  }
  return out;
}
#endif

}  // namespace

#ifdef _WIN32
// Windows names files in UTF-16, held as wchar_t: the conversions only copy.
namespace {
std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16Of(const NativePath& path) { return std::u16string(path.native().begin(), path.native().end()); }
}  // namespace

NativePath PathFromText(TextView text) { return NativePath(WideOf(text)); }
std::string PathForDisplay(const NativePath& path) { return ToUtf8(Utf16Of(path)); }
NativePath PathFromArgument(const std::string& argument) { return NativePath(WideOf(WideFromArgument(argument))); }
std::string ArgumentFromPath(const NativePath& path) { return ArgumentFromWide(Utf16Of(path)); }
#else
// Elsewhere a path is its bytes, UTF-8 by convention.
NativePath PathFromText(TextView text) { return NativePath(ToUtf8(text)); }
std::string PathForDisplay(const NativePath& path) { return path.native(); }
NativePath PathFromArgument(const std::string& argument) { return NativePath(argument); }
std::string ArgumentFromPath(const NativePath& path) { return path.native(); }
#endif

#ifdef _WIN32
std::string ArgumentFromWide(std::u16string_view wide) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= wide.size(); ++i) {
    const bool end = i == wide.size();
    const char16_t c = end ? 0 : wide[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    if (high) {
      ++i;
      continue;
    }
    const bool lone = !end && c >= 0xD800 && c <= 0xDFFF;
    if (!end && !lone) continue;
    out += ToUtf8(wide.substr(start, i - start));
    if (lone) {
      out += static_cast<char>(0xED);
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
    start = i + 1;
  }
  return out;
}
#endif

}  // namespace px
