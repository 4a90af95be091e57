#pragma once
// The main window's colour rule for its child controls (WM_CTLCOLOR): which
// text colour, background and brush each kind of control is painted with.
#include <cstdint>
#include <optional>

#include "model/settings_model.h"
#include "skin/ui_font.h"

namespace px {

enum class ControlKind { ListBox, Static, Edit, Button, Other };

struct ControlColors {
  std::optional<std::uint32_t> textColor;        // R + 256 G + 65536 B
  bool transparent = false;                      // transparent text background
  std::optional<std::uint32_t> backgroundColor;  // opaque text background
  bool bodyFont = false;
  std::optional<std::uint32_t> brushColor;       // nothing: the default brush
};

inline constexpr std::uint32_t kBlack = 0;
inline constexpr std::uint32_t kOtherStaticBackground = 0x649664;  // R 100, G 150, B 100

ControlColors ColorsForControl(ControlKind kind, int controlId, const SettingsModel& model, UiTextColor textColor);

}  // namespace px
