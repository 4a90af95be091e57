#pragma once
// The interface's text on a skin: the drawing convention, aligned text and
// the window fonts. Win32 only; the font table is portable (skin/ui_font.h).
#include <windows.h>

#include "common/text.h"
#include "skin/ui_font.h"
#include "winui/handles.h"

namespace px {

// Text drawing convention: the window's font, transparent background, the
// interface text colour. Stays selected for the rest of the composition.
void PrepareUiText(HDC dc, HFONT font, UiTextColor color);

enum class TextAlign : UINT {
  Centre = 0x25,  // DT_CENTER | DT_VCENTER | DT_SINGLELINE
  Left = 0x24,    // DT_LEFT | DT_VCENTER | DT_SINGLELINE
  Right = 0x26,   // DT_RIGHT | DT_VCENTER | DT_SINGLELINE
};
void DrawUiText(HDC dc, TextView text, const RECT& rect, TextAlign align = TextAlign::Centre);

// The window font for a language and role (system version from GetVersion).
winui::UniqueFont CreateUiFont(Language language, FontRole role);

// The text colour of the drawing convention, as the platform takes it.
inline COLORREF ToColorRef(UiTextColor color) { return static_cast<COLORREF>(UiTextColorValue(color)); }

}  // namespace px
