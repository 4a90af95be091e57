#include "skin/win32/ui_text.h"

#include "skin/pixel_density.h"

#include "common/win32/wide_text.h"

namespace px {

void PrepareUiText(HDC dc, HFONT font, UiTextColor color) {
  if (dc == nullptr) return;
  if (font != nullptr) SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(color));
}

UINT DrawTextFlags(TextFormat format) {
  UINT align = DT_CENTER;
  if (format.align == TextAlign::Left) align = DT_LEFT;
  if (format.align == TextAlign::Right) align = DT_RIGHT;
  return align | DT_VCENTER | DT_SINGLELINE | (format.whole ? DT_NOCLIP : 0u);
}

void DrawUiText(HDC dc, TextView text, const Rect& rect, TextFormat format) {
  if (dc == nullptr) return;
  RECT box = ToRect(rect);
  DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &box,
            DrawTextFlags(format));
}

void ShowOkBox(HWND owner, TextView text, TextView caption) {
  MessageBoxW(owner, WideOf(Text(text)), WideOf(Text(caption)), MB_OK);
}

// --- Fonts -------------------------------------------------------------------

winui::UniqueFont CreateUiFont(Language language, FontRole role, double scale) {
  const UiFontChoice font = ChooseUiFont(language, role, VersionFromGetVersion(GetVersion()));
  const Text face(font.face);
  return winui::UniqueFont(CreateFontW(DeviceEdge(font.height, scale), 0, 0, 0, font.weight, FALSE, FALSE, FALSE, font.charset, 0, 0,
                                       0, font.pitchAndFamily, WideOf(face)));
}

}  // namespace px
