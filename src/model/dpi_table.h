#pragma once
// The sensor's DPI tables: the code the mouse is sent for a DPI level, and
// the DPI value shown for that level. Both depend on the table variant the
// mouse reports in block 4 of its image.
#include <array>
#include <cstdint>
#include <span>

#include "common/text.h"
#include "model/device_image.h"

namespace px {

inline constexpr std::size_t kMaxDpiLevels = 12;

struct DpiVariantTable {
  std::uint8_t levelCount;
  std::array<std::uint8_t, kMaxDpiLevels> codes;  // entries past levelCount are unused
};

// Indexed by DpiTableVariant, then by the DPI level index.
inline constexpr std::array<DpiVariantTable, 4> DpiCodeTable{{
    {12, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x25, 0x26, 0x27, 0x28}},
    {8, {0x01, 0x02, 0x03, 0x04, 0x05, 0x23, 0x24, 0x25}},
    {8, {0x02, 0x04, 0x06, 0x08, 0x0A, 0x26, 0x28, 0x2A}},
    {8, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
}};

inline constexpr std::uint8_t kDpiStageNotInUse = 0x80;

// The variant byte the mouse reports in block 4 of its image.
inline std::uint8_t DpiTableVariantOf(const DeviceImage& image) { return image.Block(4)[image_offsets::kVariant]; }

// The code byte sent for a DPI level: the table entry of the variant in bits
// 0..6, bit 7 set when the stage is not in use. An unknown variant, or a level
// past the variant's table (a damaged or foreign settings file), gives code 0
// rather than reading past the table.
std::uint8_t DpiCode(std::uint8_t level, bool inUse, std::uint8_t variant);

// Whether the variant's code table has an entry for the level.
bool DpiLevelInTable(std::uint8_t level, std::uint8_t variant);

// The DPI values the settings page labels the levels with. Variants 1..3 have
// eight levels; variant 0 and any unknown variant show the twelve of variant 0.
std::span<const TextView> DpiLevelLabels(std::uint8_t variant);

// Number of level cells the page offers for the variant (8 or 12).
inline std::size_t DpiLevelCount(std::uint8_t variant) { return DpiLevelLabels(variant).size(); }

}  // namespace px
