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

constexpr std::uint32_t ColorValue(Rgb rgb) { return rgb[0] + 256u * rgb[1] + 65536u * rgb[2]; }

// What the system colour chooser answered, as a stage's colour: its value
// holds red in the low byte, as ColorValue makes it; nothing when it ended
// without OK, so that a cancelled choice never stores black.
constexpr std::optional<Rgb> ChosenColor(bool confirmed, std::uint32_t value) {
  if (!confirmed) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
             static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

ControlColors ColorsForControl(ControlKind kind, int controlId, const SettingsModel& model, UiTextColor textColor);

}  // namespace px
