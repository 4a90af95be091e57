#pragma once
// The mouse's whole configuration as read and written in one piece: two
// status bytes and five 64-byte blocks, 322 bytes in wire order.
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace px {

inline constexpr std::size_t kConfigBlockSize = 64;
inline constexpr int kConfigBlockCount = 5;
inline constexpr std::size_t kDeviceImageSize = 2 + kConfigBlockSize * kConfigBlockCount;  // 322

using ConfigBlock = std::array<std::uint8_t, kConfigBlockSize>;

struct DeviceImage {
  std::uint8_t USBReportRate = 0;   // 1 = 1000 Hz, 2 = 500, 4 = 250, 8 = 125
  std::uint8_t SensorDPIStage = 0;  // written back as read
  std::array<ConfigBlock, kConfigBlockCount> Blocks{};

  // Blocks are numbered 1..5 as on the wire.
  ConfigBlock& Block(int number) {
    assert(number >= 1 && number <= kConfigBlockCount);
    return Blocks[static_cast<std::size_t>(number - 1)];
  }
  const ConfigBlock& Block(int number) const {
    assert(number >= 1 && number <= kConfigBlockCount);
    return Blocks[static_cast<std::size_t>(number - 1)];
  }

  void Clear() { *this = DeviceImage{}; }

  std::span<std::uint8_t, kDeviceImageSize> Bytes() {
    return std::span<std::uint8_t, kDeviceImageSize>(reinterpret_cast<std::uint8_t*>(this), kDeviceImageSize);
  }
  std::span<const std::uint8_t, kDeviceImageSize> Bytes() const {
    return std::span<const std::uint8_t, kDeviceImageSize>(reinterpret_cast<const std::uint8_t*>(this), kDeviceImageSize);
  }
  friend bool operator==(const DeviceImage&, const DeviceImage&) = default;
};

static_assert(sizeof(DeviceImage) == kDeviceImageSize);
static_assert(alignof(DeviceImage) == 1);
static_assert(offsetof(DeviceImage, Blocks) == 2);

// Offsets of the image bytes that the utility reads or writes, within their block.
namespace image_offsets {
inline constexpr std::size_t kVariant = 1;            // block 4, read only
inline constexpr std::size_t kStagesInUse = 6;        // block 4
inline constexpr std::size_t kLightByte7 = 7;         // block 4
inline constexpr std::size_t kLightByte8 = 8;
inline constexpr std::size_t kLightByte9 = 9;
inline constexpr std::size_t kLightMode = 10;
inline constexpr std::size_t kLightByte11 = 11;
inline constexpr std::size_t kLightByte12 = 12;
inline constexpr std::size_t kFireMakeTime = 14;      // block 4
inline constexpr std::size_t kFireBreakTime = 15;
inline constexpr std::size_t kSnipeDpiCode = 23;      // block 4
inline constexpr std::size_t kStageDpiCodes = 24;     // block 4, 24..27
inline constexpr std::size_t kConsumerUsageTable = 32;  // block 4, 32..63
inline constexpr std::size_t kDpiColorList = 24;      // block 5, 24..47
inline constexpr std::size_t kHotKeyTable = 48;       // block 5, 48..63
}  // namespace image_offsets

}  // namespace px
