#include "device/scrambling.h"

namespace px {

namespace {

constexpr std::uint64_t kMask56 = (std::uint64_t{1} << 56) - 1;

std::uint64_t Load56(std::span<const std::uint8_t, 7> bytes) {
  std::uint64_t value = 0;
  for (std::uint8_t b : bytes) value = (value << 8) | b;
  return value;
}

void Store56(std::uint64_t value, std::span<std::uint8_t, 7> bytes) {
  for (std::size_t i = 7; i-- > 0;) {
    bytes[i] = static_cast<std::uint8_t>(value & 0xFF);
    value >>= 8;
  }
}

std::uint64_t RotateLeft56(std::uint64_t value, unsigned bits) {
  return ((value << bits) | (value >> (56 - bits))) & kMask56;
}

std::uint64_t RotateRight56(std::uint64_t value, unsigned bits) { return RotateLeft56(value, 56 - bits); }

std::uint64_t KeyXor(std::uint64_t value) {
  return value ^ Load56(std::span<const std::uint8_t, 7>(ScrambleKey));
}

}  // namespace

void ScramblePayload(std::span<std::uint8_t, 7> payload) {
  Store56(RotateRight56(KeyXor(RotateLeft56(Load56(payload), 2)), 3), payload);
}

void UnscramblePayload(std::span<std::uint8_t, 7> payload) {
  Store56(RotateRight56(KeyXor(RotateLeft56(Load56(payload), 3)), 2), payload);
}

void ScrambleControlReport(std::span<std::uint8_t, kControlReportSize> report) {
  ScramblePayload(report.subspan<1, 7>());
}

void UnscrambleControlReport(std::span<std::uint8_t, kControlReportSize> report) {
  UnscramblePayload(report.subspan<1, 7>());
}

void ScrambleBlockReport(std::span<std::uint8_t, kBlockReportSize> report) {
  for (std::size_t g = 0; g < 8; ++g) ScramblePayload(std::span<std::uint8_t, 7>(report.data() + 8 * g + 2, 7));
}

void UnscrambleBlockReport(std::span<std::uint8_t, kBlockReportSize> report) {
  for (std::size_t g = 0; g < 8; ++g) UnscramblePayload(std::span<std::uint8_t, 7>(report.data() + 8 * g + 2, 7));
}

}  // namespace px
