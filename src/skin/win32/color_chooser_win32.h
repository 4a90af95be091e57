#pragma once
// The system colour chooser, modal over its owner, for the page's swatches
// and the skin chooser alike.
#include <windows.h>
#include <commdlg.h>

#include <array>
#include <optional>

#include "skin/color_chooser.h"
#include "skin/win32/ui_text.h"

namespace px {

// `customColors`: the chooser's own custom colours, kept by the caller for
// the run. Nothing when the chooser ends without OK.
inline std::optional<Rgb> RunColorChooserWin32(HWND owner, std::array<COLORREF, 16>& customColors) {
  CHOOSECOLORW chooser{};
  chooser.lStructSize = sizeof(chooser);
  chooser.hwndOwner = owner;
  chooser.lpCustColors = customColors.data();
  // Without CC_RGBINIT the chooser opens on black, this value.
  chooser.rgbResult = ToColorRef(kColorChooserStart);
  const bool confirmed = ::ChooseColorW(&chooser) != FALSE;  // before the answer is read
  return ChosenColor(confirmed, chooser.rgbResult);
}

}  // namespace px
