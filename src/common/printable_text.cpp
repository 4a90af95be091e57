#include "common/printable_text.h"

namespace px {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
bool IsNonCharacter(char16_t c) { return c == 0xFFFE || c == 0xFFFF; }
bool IsBlankControl(char16_t c) { return c == u'\t' || c == u'\n' || c == u'\r'; }

// How many code units of a well-formed, printable character start at `i`:
// 2 for a surrogate pair, 1 for any other, 0 for an offending unit.
std::size_t GoodUnitsAt(TextView text, std::size_t i) {
  const char16_t c = text[i];
  if (IsHighSurrogate(c)) return i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 0;
  if (IsLowSurrogate(c) || IsControl(c) || IsNonCharacter(c)) return 0;
  return 1;
}

}  // namespace

bool IsPrintableText(TextView text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t good = GoodUnitsAt(text, i);
    if (good == 0) return false;
    i += good;
  }
  return true;
}

Text PrintableText(TextView text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t good = GoodUnitsAt(text, i);
    if (good == 0) {
      if (IsBlankControl(text[i])) out += u' ';
      ++i;
      continue;
    }
    out.append(text.substr(i, good));
    i += good;
  }
  return out;
}

}  // namespace px
