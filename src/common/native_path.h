#pragma once
// File names as the system has them: bytes on Linux (whatever their
// encoding), UTF-16 on Windows. A name travels from argv to open() unchanged;
// nothing decodes it on the way, so nothing can throw or substitute.
#include <filesystem>
#include <string>

#include "common/text.h"

namespace px {

using NativePath = std::filesystem::path;

// For names made by the program itself (UTF-16 texts). Lossless on Windows;
// on Linux the UTF-8 bytes of the text.
NativePath PathFromText(TextView text);

// A name for a message: the bytes themselves on Linux (the terminal shows
// them as the user typed them), UTF-8 on Windows. Never throws.
std::string PathForDisplay(const NativePath& path);

// A command-line argument as the tool holds it (bytes on Linux, UTF-8 on
// Windows, see ArgumentFromWide) and back.
NativePath PathFromArgument(const std::string& argument);

// A path in the form the tool holds arguments in (the inverse of
// PathFromArgument).
std::string ArgumentFromPath(const NativePath& path);

#ifdef _WIN32
// Windows hands the tool UTF-16; an unpaired surrogate is kept (as its
// three-byte form) so that the name still reaches the same file.
std::string ArgumentFromWide(std::u16string_view wide);
#endif

}  // namespace px
