#pragma once
// The images a skin folder provides: every file the program ever loads from a
// skin. Each is drawn at its own pixel size; a background decides the size of
// its window.
#include <array>

#include "common/text.h"

namespace px::skin_image {

// Main window.
inline constexpr TextView kMainBackground = u"/main.png";
inline constexpr TextView kPage = u"/BasicSet2.png";
// Push buttons (OK, Cancel, the page's buttons), normal and pointer-over.
inline constexpr TextView kButtonNormal = u"/button-normal.png";
inline constexpr TextView kButtonOver = u"/button-over.png";
inline constexpr TextView kCloseNormal = u"/button-close-normal.png";
inline constexpr TextView kCloseOver = u"/button-close-over.png";
inline constexpr TextView kMinimiseNormal = u"/button-min-normal.png";
inline constexpr TextView kMinimiseOver = u"/button-min-over.png";
inline constexpr TextView kSkinsNormal = u"/button-Skins-normal.png";
inline constexpr TextView kSkinsOver = u"/button-Skins-over.png";
inline constexpr TextView kPrePageNormal = u"/button-PrePage-normal.png";
inline constexpr TextView kPrePageOver = u"/button-PrePage-over.png";
inline constexpr TextView kDropdownNormal = u"/DropdownBox-normal.png";
inline constexpr TextView kDropdownOver = u"/DropdownBox-over.png";
// Report-rate segments and DPI level cells, unlit and lit.
inline constexpr TextView kReportRateDark = u"/slider-RP-dark.png";
inline constexpr TextView kReportRateLight = u"/slider-RP-light.png";
inline constexpr TextView kDpiDark = u"/slider-DPI-dark.png";
inline constexpr TextView kDpiLight = u"/slider-DPI-light.png";
// Tick box, empty and ticked.
inline constexpr TextView kTickBox = u"/Pane.png";
inline constexpr TextView kTickBoxTicked = u"/PaneMakingTick.png";
// Small dialog backgrounds.
inline constexpr TextView kFireKeyBackground = u"/fire-key.png";
inline constexpr TextView kHotKeyBackground = u"/hot-key.png";
inline constexpr TextView kMediaKeyBackground = u"/media-key.png";
inline constexpr TextView kSingleKeyBackground = u"/single-key.png";
inline constexpr TextView kSnipeKeyBackground = u"/snipe-key.png";
inline constexpr TextView kWindowsKeyBackground = u"/windows-key.png";
inline constexpr TextView kSkinsBackground = u"/skins.png";

}  // namespace px::skin_image

namespace px {

// `SkinImageSet`: all 27 names, each beginning with "/".
inline constexpr std::array<TextView, 27> kSkinImageSet = {
    skin_image::kMainBackground,      skin_image::kPage,
    skin_image::kButtonNormal,        skin_image::kButtonOver,
    skin_image::kCloseNormal,         skin_image::kCloseOver,
    skin_image::kMinimiseNormal,      skin_image::kMinimiseOver,
    skin_image::kSkinsNormal,         skin_image::kSkinsOver,
    skin_image::kPrePageNormal,       skin_image::kPrePageOver,
    skin_image::kDropdownNormal,      skin_image::kDropdownOver,
    skin_image::kReportRateDark,      skin_image::kReportRateLight,
    skin_image::kDpiDark,             skin_image::kDpiLight,
    skin_image::kTickBox,             skin_image::kTickBoxTicked,
    skin_image::kFireKeyBackground,   skin_image::kHotKeyBackground,
    skin_image::kMediaKeyBackground,  skin_image::kSingleKeyBackground,
    skin_image::kSnipeKeyBackground,  skin_image::kWindowsKeyBackground,
    skin_image::kSkinsBackground,
};

}  // namespace px
