#pragma once
// Key codes: HID keyboard usages (0x04..0x63, modifiers 0xE0..0xE7) and the
// mouse buttons 0xF0..0xF4; 0 is no key. Two fixed tables turn a user's
// choice into a code: key names captured by the single key dialog, and the
// fire key dialog's list of keys.
#include <array>
#include <cstdint>
#include <optional>

#include "common/text.h"

namespace px {

struct KeyName {
  TextView name;
  std::uint8_t code;
};

struct FireKey {
  TextView text;  // the same in every language
  std::uint8_t code;
};

inline constexpr std::size_t kKeyNameCount = 107;
inline constexpr std::size_t kFireKeyCount = 59;

// Names in code order, as the platform's key-name service gives them with an
// English keyboard layout.
// 0x32, the non-US hash key, goes by the name "Eurpo(Note 2)".
inline constexpr std::array<KeyName, kKeyNameCount> KeyNameTable{{
    {u"A", 0x04}, {u"B", 0x05}, {u"C", 0x06}, {u"D", 0x07}, {u"E", 0x08}, {u"F", 0x09}, {u"G", 0x0A},
    {u"H", 0x0B}, {u"I", 0x0C}, {u"J", 0x0D}, {u"K", 0x0E}, {u"L", 0x0F}, {u"M", 0x10}, {u"N", 0x11},
    {u"O", 0x12}, {u"P", 0x13}, {u"Q", 0x14}, {u"R", 0x15}, {u"S", 0x16}, {u"T", 0x17}, {u"U", 0x18},
    {u"V", 0x19}, {u"W", 0x1A}, {u"X", 0x1B}, {u"Y", 0x1C}, {u"Z", 0x1D}, {u"1", 0x1E}, {u"2", 0x1F},
    {u"3", 0x20}, {u"4", 0x21}, {u"5", 0x22}, {u"6", 0x23}, {u"7", 0x24}, {u"8", 0x25}, {u"9", 0x26},
    {u"0", 0x27}, {u"Enter", 0x28}, {u"Esc", 0x29}, {u"Backspace", 0x2A}, {u"Tab", 0x2B}, {u"Space", 0x2C},
    {u"-", 0x2D}, {u"=", 0x2E}, {u"[", 0x2F}, {u"]", 0x30}, {u"\\", 0x31}, {u"Eurpo(Note 2)", 0x32},
    {u";", 0x33}, {u"'", 0x34}, {u"`", 0x35}, {u",", 0x36}, {u".", 0x37}, {u"/", 0x38}, {u"Caps Lock", 0x39},
    {u"F1", 0x3A}, {u"F2", 0x3B}, {u"F3", 0x3C}, {u"F4", 0x3D}, {u"F5", 0x3E}, {u"F6", 0x3F}, {u"F7", 0x40},
    {u"F8", 0x41}, {u"F9", 0x42}, {u"F10", 0x43}, {u"F11", 0x44}, {u"F12", 0x45}, {u"Prnt Scrn", 0x46},
    {u"Scroll Lock", 0x47}, {u"Pause", 0x48}, {u"Insert", 0x49}, {u"Home", 0x4A}, {u"Page Up", 0x4B},
    {u"Delete", 0x4C}, {u"End", 0x4D}, {u"Page Down", 0x4E}, {u"Right", 0x4F}, {u"Left", 0x50},
    {u"Down", 0x51}, {u"Up", 0x52}, {u"Num Lock", 0x53}, {u"Num /", 0x54}, {u"Num *", 0x55}, {u"Num -", 0x56},
    {u"Num +", 0x57}, {u"Num Enter", 0x58}, {u"Num 1", 0x59}, {u"Num 2", 0x5A}, {u"Num 3", 0x5B},
    {u"Num 4", 0x5C}, {u"Num 5", 0x5D}, {u"Num 6", 0x5E}, {u"Num 7", 0x5F}, {u"Num 8", 0x60},
    {u"Num 9", 0x61}, {u"Num 0", 0x62}, {u"Num Del", 0x63}, {u"Ctrl", 0xE0}, {u"Shift", 0xE1}, {u"Alt", 0xE2},
    {u"Left Windows", 0xE3}, {u"Right Ctrl", 0xE4}, {u"Right Shift", 0xE5}, {u"Right Alt", 0xE6},
    {u"Right Windows", 0xE7}, {u"L-Button", 0xF0}, {u"R-Button", 0xF1}, {u"M-Button", 0xF2},
}};

inline constexpr std::array<FireKey, kFireKeyCount> FireKeyList{{
    {u"L-Button", 0xF0}, {u"R-Button", 0xF1}, {u"M-Button", 0xF2}, {u"B4-Button", 0xF3}, {u"B5-Button", 0xF4},
    {u"A", 0x04}, {u"B", 0x05}, {u"C", 0x06}, {u"D", 0x07}, {u"E", 0x08}, {u"F", 0x09}, {u"G", 0x0A},
    {u"H", 0x0B}, {u"I", 0x0C}, {u"J", 0x0D}, {u"K", 0x0E}, {u"L", 0x0F}, {u"M", 0x10}, {u"N", 0x11},
    {u"O", 0x12}, {u"P", 0x13}, {u"Q", 0x14}, {u"R", 0x15}, {u"S", 0x16}, {u"T", 0x17}, {u"U", 0x18},
    {u"V", 0x19}, {u"W", 0x1A}, {u"X", 0x1B}, {u"Y", 0x1C}, {u"Z", 0x1D}, {u"1", 0x1E}, {u"2", 0x1F},
    {u"3", 0x20}, {u"4", 0x21}, {u"5", 0x22}, {u"6", 0x23}, {u"7", 0x24}, {u"8", 0x25}, {u"9", 0x26},
    {u"0", 0x27}, {u"L-CTRL", 0xE0}, {u"L-SHIFT", 0xE1}, {u"L-ALT", 0xE2}, {u"R-CTRL", 0xE4},
    {u"R-SHIFT", 0xE5}, {u"R-ALT", 0xE6}, {u"F1", 0x3A}, {u"F2", 0x3B}, {u"F3", 0x3C}, {u"F4", 0x3D},
    {u"F5", 0x3E}, {u"F6", 0x3F}, {u"F7", 0x40}, {u"F8", 0x41}, {u"F9", 0x42}, {u"F10", 0x43}, {u"F11", 0x44},
    {u"F12", 0x45},
}};


// The code of the first name equal to the whole key name (case-sensitive, no
// trimming); 0 when the table lacks the name.
std::uint8_t KeyCodeFromName(TextView keyName);

// The code at a fire key list position; positions past the list give 0.
std::uint8_t FireKeyCode(std::uint8_t position);

// Reverse look-ups for display; nothing when no entry carries the code.
std::optional<TextView> KeyNameFromCode(std::uint8_t code);
std::optional<TextView> FireKeyTextFromCode(std::uint8_t code);

}  // namespace px
