#pragma once
// px::Text is UTF-16 like the W functions' strings: views, no conversion.
#include <windows.h>

#include <string>

#include "common/text.h"

namespace px {

inline const wchar_t* WideOf(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline Text TextOf(const std::wstring& text) { return Text(reinterpret_cast<const char16_t*>(text.data()), text.size()); }
inline std::wstring WideString(TextView text) { return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size()); }

}  // namespace px
