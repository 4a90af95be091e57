#include "page/control_colors.h"

#include "page/page_layout.h"

#include <cmath>

namespace px {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The lighting labels are black: a text colour chosen for a light skin would
// vanish on them, so below a 3:1 contrast with black they are written white.
std::uint32_t ReadableOnBlack(UiTextColor color) {
  const double luminance = 0.2126 * Linear(color.red) + 0.7152 * Linear(color.green) + 0.0722 * Linear(color.blue);
  return (luminance + 0.05) / 0.05 < 3.0 ? kWhite : ColorValue(color);
}

}  // namespace

ControlColors ColorsForControl(ControlKind kind, int controlId, const SettingsModel& model, UiTextColor textColor) {
  const std::uint32_t text = ColorValue(textColor);
  switch (kind) {
    case ControlKind::ListBox:
      // Items are filled with the background colour whatever the mode: black,
      // like the brush, or the white text would sit on white.
      return {kWhite, true, kBlack, true, kBlack};
    case ControlKind::Static:
      if (controlId >= control_id::SwatchOf(1) && controlId <= control_id::SwatchOf(kDpiStages)) {
        return {{}, true, {}, false, ColorValue(model.DpiStageColor[static_cast<std::size_t>(controlId - 71)])};
      }
      // 119 is the dialogs' label that looks like the lighting ones.
      if ((controlId >= control_id::kModeLabel && controlId <= control_id::kEffectLabel) || controlId == 119) {
        return {ReadableOnBlack(textColor), false, kBlack, true, kBlack};
      }
      return {text, false, kOtherStaticBackground, true, kOtherStaticBackground};
    case ControlKind::Edit:
      return {text, true, {}, true, kBlack};
    case ControlKind::Button:
      return {{}, true, {}, false, {}};
    case ControlKind::Other:
      break;
  }
  return {};
}

}  // namespace px
