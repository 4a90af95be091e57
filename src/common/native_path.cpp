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

NativePath PathFromText(TextView text) {
#ifdef _WIN32
  return NativePath(std::wstring(text.begin(), text.end()));
#else
  return NativePath(ToUtf8(text));
#endif
}

std::string PathForDisplay(const NativePath& path) {
#ifdef _WIN32
  const std::wstring& wide = path.native();
  return ToUtf8(std::u16string(wide.begin(), wide.end()));
#else
  return path.native();
#endif
}

NativePath PathFromArgument(const std::string& argument) {
#ifdef _WIN32
  const std::u16string wide = WideFromArgument(argument);
  return NativePath(std::wstring(wide.begin(), wide.end()));
#else
  return NativePath(argument);
#endif
}

std::string ArgumentFromPath(const NativePath& path) {
#ifdef _WIN32
  const std::wstring& wide = path.native();
  return ArgumentFromWide(std::u16string(wide.begin(), wide.end()));
#else
  return path.native();
#endif
}

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
