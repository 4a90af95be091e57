#pragma once
// The interface's text on a skin: the drawing convention, aligned text and
// the window fonts. Win32 only; the font table is portable (skin/ui_font.h).
#include <windows.h>

#include "common/geometry.h"
#include "common/text.h"
#include "skin/text_format.h"
#include "skin/ui_font.h"
#include "skin/ui_key.h"
#include "winui/handles.h"

namespace px {

// Text drawing convention: the window's font, transparent background, the
// interface text colour. Stays selected for the rest of the composition.
void PrepareUiText(HDC dc, HFONT font, UiTextColor color);

inline RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// DrawText's flags for the one text format.
UINT DrawTextFlags(TextFormat format);
void DrawUiText(HDC dc, TextView text, const Rect& rect, TextFormat format = kCentredText);

// The window font for a language and role (system version from GetVersion),
// its height times the window's scale.
winui::UniqueFont CreateUiFont(Language language, FontRole role, double scale = 1.0);

inline UiKey UiKeyOfVirtualKey(WPARAM key) {
  return key == VK_RETURN ? UiKey::Enter : key == VK_ESCAPE ? UiKey::Escape : UiKey::Other;
}

// The one modal box with an OK button of every Win32 window.
void ShowOkBox(HWND owner, TextView text, TextView caption);

// The text colour of the drawing convention, as the platform takes it.
constexpr COLORREF ToColorRef(Rgb color) { return static_cast<COLORREF>(ColorValue(color)); }

}  // namespace px
