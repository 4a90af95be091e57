#include <gtest/gtest.h>

#include <random>

#include "device/scrambling.h"

namespace px {
namespace {

using Bytes7 = std::array<std::uint8_t, 7>;

Bytes7 Scrambled(Bytes7 b) {
  ScramblePayload(b);
  return b;
}
Bytes7 Unscrambled(Bytes7 b) {
  UnscramblePayload(b);
  return b;
}

// Reference values worked out by hand from the rules, independently of this code.
TEST(Scrambling, KnownVectors) {
  EXPECT_EQ(Scrambled({0, 0, 0, 0, 0, 0, 0}), (Bytes7{0x07, 0xB2, 0x38, 0x81, 0xCD, 0x7E, 0x4B}));
  EXPECT_EQ(Scrambled({1, 2, 3, 4, 5, 6, 7}), (Bytes7{0x87, 0x33, 0x39, 0x03, 0xCF, 0xFD, 0x48}));
  EXPECT_EQ(Unscrambled({1, 2, 3, 4, 5, 6, 7}), (Bytes7{0x0D, 0x60, 0x77, 0x0B, 0x90, 0xF0, 0x98}));
  // The status-read command as it goes out.
  std::array<std::uint8_t, 8> report{0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00};
  ScrambleControlReport(report);
  EXPECT_EQ(report, (std::array<std::uint8_t, 8>{0x01, 0x52, 0xD4, 0x4F, 0xEF, 0x0D, 0x7E, 0x4B}));
}

TEST(Scrambling, UnscrambleInvertsScrambleForAnyPayload) {
  std::mt19937 rng(6410);
  for (int i = 0; i < 2000; ++i) {
    Bytes7 b;
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    EXPECT_EQ(Unscrambled(Scrambled(b)), b);
    EXPECT_EQ(Scrambled(Unscrambled(b)), b);
  }
  // A one-bit change near the top and the bottom of the number must show.
  EXPECT_NE(Scrambled({0x80, 0, 0, 0, 0, 0, 0}), Scrambled({0, 0, 0, 0, 0, 0, 0}));
  EXPECT_NE(Scrambled({0, 0, 0, 0, 0, 0, 0x01}), Scrambled({0, 0, 0, 0, 0, 0, 0}));
}

TEST(Scrambling, ReportIdAndFirstByteOfEachGroupTravelPlain) {
  std::array<std::uint8_t, kBlockReportSize> block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 3);
  const auto original = block;
  ScrambleBlockReport(block);
  for (std::size_t i = 0; i < block.size(); ++i) {
    const bool plain = i == 0 || (i - 1) % 8 == 0;  // report ID, block bytes 0, 8, ..., 56
    if (plain) {
      EXPECT_EQ(block[i], original[i]) << "byte " << i;
    }
  }
  // Each group is one 7-byte unit: group 2 is report bytes 18..24.
  Bytes7 group;
  std::copy_n(original.begin() + 18, 7, group.begin());
  EXPECT_EQ(Scrambled(group), (Bytes7{block[18], block[19], block[20], block[21], block[22], block[23], block[24]}));
  UnscrambleBlockReport(block);
  EXPECT_EQ(block, original);

  std::array<std::uint8_t, kControlReportSize> control{0x01, 1, 2, 3, 4, 5, 6, 7};
  ScrambleControlReport(control);
  EXPECT_EQ(control[0], 0x01);
  UnscrambleControlReport(control);
  EXPECT_EQ(control, (std::array<std::uint8_t, 8>{0x01, 1, 2, 3, 4, 5, 6, 7}));
}

}  // namespace
}  // namespace px
