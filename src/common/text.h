#pragma once
// Interface texts are UTF-16 throughout: the Windows build hands them to the
// W functions as they are, the Linux tools convert them at the edge.
#include <string>
#include <string_view>

namespace px {

using Text = std::u16string;
using TextView = std::u16string_view;

// The caption of file and start-up message boxes.
inline constexpr TextView kApplicationTitle = u"PX6410-3-4";
// The executable's own file name; the settings file paths are anchored on it.
inline constexpr TextView kExecutableName = u"PX6410-3-4.exe";

// Lossless for valid input; unpaired surrogates and malformed UTF-8 become U+FFFD.
std::string ToUtf8(TextView text);
Text FromUtf8(std::string_view utf8);

}  // namespace px
