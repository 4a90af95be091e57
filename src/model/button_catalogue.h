#pragma once
// The fourteen functions a button can take, in the order of the button
// drop-down list, and how a function with its parameter becomes the two-byte
// entry the mouse receives. The model stores the list position; encoding
// happens only when the image is composed.
#include <array>
#include <cstdint>

#include "model/interface_texts.h"
#include "common/text.h"
#include "model/settings_model.h"

namespace px {

namespace function_index {
inline constexpr std::uint8_t kLeftClick = 0;
inline constexpr std::uint8_t kRightClick = 1;
inline constexpr std::uint8_t kMidClick = 2;
inline constexpr std::uint8_t kForward = 3;
inline constexpr std::uint8_t kBackward = 4;
inline constexpr std::uint8_t kDpiSwitch = 5;
inline constexpr std::uint8_t kWindows = 6;
inline constexpr std::uint8_t kMultimedia = 7;
inline constexpr std::uint8_t kHotKey = 8;
inline constexpr std::uint8_t kFireKey = 9;
inline constexpr std::uint8_t kSingleKey = 10;
inline constexpr std::uint8_t kSnipeKey = 11;
inline constexpr std::uint8_t kKeyOff = 12;
inline constexpr std::uint8_t kShift = 13;
}  // namespace function_index

inline constexpr std::size_t kFunctionCount = 14;

// Byte 0 the code, byte 1 the kind.
struct ButtonEntry {
  std::uint8_t code = 0;
  std::uint8_t kind = 0;
  friend bool operator==(const ButtonEntry&, const ButtonEntry&) = default;
};

namespace entry_kind {
inline constexpr std::uint8_t kKeyCode = 0x00;   // key or mouse-button code; (0, 0) is no function
inline constexpr std::uint8_t kKeyTable = 0x02;  // position in the device's consumer / hot-key tables
inline constexpr std::uint8_t kSpecial = 0x03;   // DPI +/-/Loop, Shift, Snipe Key
inline constexpr std::uint8_t kFireKey = 0x80;   // plus the repeat count
}  // namespace entry_kind

// A button's parameter entries in one mode; each means something only while
// the button's function selects it.
struct ButtonParameters {
  std::uint8_t dpiSwitchCode = 0;
  std::uint8_t windowsIndex = 0;
  std::uint8_t mediaIndex = 0;
  std::uint8_t hotKeyIndex = 0;
  std::uint8_t fireKeyUsage = 0;
  std::uint8_t fireTimes = 0;
  std::uint8_t singleKeyUsage = 0;
};

// The parameters at index 0..15 of the model's button arrays.
ButtonParameters ButtonParametersAt(const SettingsModel& model, int index);

// Pure and total: an index past the catalogue gives (0, 0); sums wrap modulo 256.
ButtonEntry EncodeButtonEntry(std::uint8_t functionIndex, const ButtonParameters& parameters);
ButtonEntry EncodeButtonEntry(const SettingsModel& model, int index);

// Positions of kind-0x02 entries: media 0..6, Windows functions from 7, hot keys from 16.
inline constexpr std::uint8_t kWindowsTableBase = 7;
inline constexpr std::uint8_t kHotKeyTableBase = 16;

// The DPI sub-list of the DPI Switch function: its texts, the same in every
// language, and the codes stored in DpiSwitchCode.
struct DpiSwitchItem {
  std::uint8_t code;
  TextView text;
};
inline constexpr std::array<DpiSwitchItem, 3> DpiSwitchList{{{3, u"DPI +"}, {4, u"DPI -"}, {5, u"DPI Loop"}}};

// The factory assignment, the same in both modes: left, right, middle click,
// DPI switch with "DPI Loop", then key off for the buttons the page hides.
inline constexpr std::array<std::uint8_t, kButtonsPerMode> kFactoryButtonFunctions{
    function_index::kLeftClick, function_index::kRightClick, function_index::kMidClick, function_index::kDpiSwitch,
    function_index::kKeyOff,    function_index::kKeyOff,     function_index::kKeyOff,   function_index::kKeyOff};
inline constexpr std::uint8_t kFactoryDpiSwitchCode = 5;

// The text of a DPI sub-list entry by its code; empty for other codes.
TextView DpiSwitchText(std::uint8_t code);

// The list text of a function in a language; empty past the catalogue.
TextView FunctionText(std::uint8_t functionIndex, Language language);

// The label a button shows once a choice is confirmed: the function's own
// text, the chosen item alone, or both joined by "-", depending on the function.
Text AssignmentLabel(std::uint8_t functionIndex, TextView functionText, TextView chosenText);
Text AssignmentLabel(std::uint8_t functionIndex, Language language, TextView chosenText);

}  // namespace px
