#pragma once
// Payload scrambling of the feature reports. Seven bytes are one 56-bit
// big-endian number; the report ID and the first byte of every 8-byte group
// of a block report always travel plain.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace px {

inline constexpr std::array<std::uint8_t, 7> ScrambleKey{0x3D, 0x91, 0xC4, 0x0E, 0x6B, 0xF2, 0x58};

inline constexpr std::size_t kControlReportSize = 8;
inline constexpr std::size_t kBlockReportSize = 65;

// Rotate left 2, XOR with the key, rotate right 3.
void ScramblePayload(std::span<std::uint8_t, 7> payload);
// Rotate left 3, XOR with the key, rotate right 2: the exact inverse.
void UnscramblePayload(std::span<std::uint8_t, 7> payload);

// ControlReport: bytes 1..7 (signature, command, both status bytes).
void ScrambleControlReport(std::span<std::uint8_t, kControlReportSize> report);
void UnscrambleControlReport(std::span<std::uint8_t, kControlReportSize> report);

// BlockReport: in each group g = 0..7, report bytes 8g+2..8g+8.
void ScrambleBlockReport(std::span<std::uint8_t, kBlockReportSize> report);
void UnscrambleBlockReport(std::span<std::uint8_t, kBlockReportSize> report);

}  // namespace px
