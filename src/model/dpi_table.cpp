#include "model/dpi_table.h"

namespace px {

namespace {

constexpr std::array<TextView, 12> kLabels0{u"250",  u"500",  u"750",  u"1000", u"1250", u"1500",
                                            u"1750", u"2000", u"2500", u"3000", u"3500", u"4000"};
constexpr std::array<TextView, 8> kLabels1{u"600", u"800", u"1000", u"1200", u"1600", u"2000", u"2400", u"3200"};
constexpr std::array<TextView, 8> kLabels2{u"250", u"500", u"750", u"1000", u"1250", u"1500", u"2000", u"2500"};
constexpr std::array<TextView, 8> kLabels3{u"400", u"800", u"1200", u"1600", u"2000", u"2400", u"2800", u"3200"};

// Each variant's labels must match its code table one for one.
static_assert(kLabels0.size() == DpiCodeTable[0].levelCount);
static_assert(kLabels1.size() == DpiCodeTable[1].levelCount);
static_assert(kLabels2.size() == DpiCodeTable[2].levelCount);
static_assert(kLabels3.size() == DpiCodeTable[3].levelCount);

}  // namespace

bool DpiLevelInTable(std::uint8_t level, std::uint8_t variant) {
  return variant < DpiCodeTable.size() && level < DpiCodeTable[variant].levelCount;
}

std::uint8_t DpiCode(std::uint8_t level, bool inUse, std::uint8_t variant) {
  const std::uint8_t code = DpiLevelInTable(level, variant) ? DpiCodeTable[variant].codes[level] : std::uint8_t{0};
  return inUse ? static_cast<std::uint8_t>(code & 0x7F) : static_cast<std::uint8_t>(code | kDpiStageNotInUse);
}

std::span<const TextView> DpiLevelLabels(std::uint8_t variant) {
  static constexpr std::array<std::span<const TextView>, 4> kLabels{kLabels0, kLabels1, kLabels2, kLabels3};
  return variant < kLabels.size() ? kLabels[variant] : kLabels[0];
}

}  // namespace px
