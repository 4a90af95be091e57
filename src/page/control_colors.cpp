#include "page/control_colors.h"

#include "page/page_layout.h"

namespace px {

ControlColors ColorsForControl(ControlKind kind, int controlId, const SettingsModel& model, UiTextColor textColor) {
  const std::uint32_t text = UiTextColorValue(textColor);
  switch (kind) {
    case ControlKind::ListBox:
      // Items are filled with the background colour whatever the mode: black,
      // like the brush, or the white text would sit on white.
      return {0xFFFFFF, true, kBlack, true, kBlack};
    case ControlKind::Static:
      if (controlId >= control_id::SwatchOf(1) && controlId <= control_id::SwatchOf(kDpiStages)) {
        return {{}, true, {}, false, ColorValue(model.DpiStageColor[static_cast<std::size_t>(controlId - 71)])};
      }
      // 119 is the dialogs' label that looks like the lighting ones.
      if ((controlId >= control_id::kModeLabel && controlId <= control_id::kEffectLabel) || controlId == 119) {
        return {text, false, kBlack, true, kBlack};
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
