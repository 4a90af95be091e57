#pragma once
// The interface fonts: one face, height and weight per language and role.
// Pure choice; src/skin/win32 turns it into a font object.
#include <cstdint>

#include "common/color.h"
#include "common/text.h"
#include "model/interface_texts.h"

namespace px {

enum class FontRole {
  Dialog,   // every small dialog
  Body,     // main window: headings, captions, labels
  Heading,  // main window: the page title
};

// The system version as GetVersion reports it: low byte major, next byte minor.
struct WindowsVersion {
  unsigned major = 0;
  unsigned minor = 0;
};
WindowsVersion VersionFromGetVersion(std::uint32_t value);

struct UiFontChoice {
  TextView face;
  int height = 0;  // logical units, positive: cell height
  int weight = 0;
  std::uint8_t charset = 0;          // 0 (ANSI_CHARSET): the face name picks the font
  std::uint8_t pitchAndFamily = 0;   // FF_SWISS | DEFAULT_PITCH
};

UiFontChoice ChooseUiFont(Language language, FontRole role, WindowsVersion version);

// A chosen font where the Windows faces are missing (Linux): the free font of
// the same metrics that stands in for the face (Arial by Liberation Sans, the
// Chinese faces by WenQuanYi), sized by its em as other systems size fonts.
struct StandInFont {
  TextView family;  // an unknown face stands for itself
  int emPixels = 1;
  bool bold = false;
};
StandInFont StandInFor(const UiFontChoice& choice);

// The colour of texts drawn over skin images.
using UiTextColor = Rgb;

}  // namespace px
