#include "device/linux/report_descriptor.h"

#include <algorithm>
#include <map>

namespace px {

namespace {

struct GlobalState {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint8_t reportId = 0;
};

// Main items
constexpr std::uint8_t kTagFeature = 0xB;
constexpr std::uint8_t kTagCollection = 0xA;
constexpr std::uint8_t kTagEndCollection = 0xC;
// Global items
constexpr std::uint8_t kTagUsagePage = 0x0;
constexpr std::uint8_t kTagReportSize = 0x7;
constexpr std::uint8_t kTagReportId = 0x8;
constexpr std::uint8_t kTagReportCount = 0x9;
constexpr std::uint8_t kTagPush = 0xA;
constexpr std::uint8_t kTagPop = 0xB;
// Local items
constexpr std::uint8_t kTagUsage = 0x0;

constexpr std::size_t kMaxPushDepth = 32;
constexpr int kMaxCollectionDepth = 255;
constexpr std::uint64_t kMaxReportBits = std::uint64_t{1} << 20;

}  // namespace

ParsedDescriptor ParseReportDescriptor(std::span<const std::uint8_t> d) {
  ParsedDescriptor result;
  GlobalState global;
  std::vector<GlobalState> stack;
  std::vector<std::uint32_t> usages;  // local usages since the last main item
  int depth = 0;
  // Feature bits per report ID within the current top-level collection.
  std::map<std::uint8_t, std::uint64_t> featureBits;
  TopLevelCollection current;

  auto fail = [&](std::string why) {
    result.error = std::move(why);
    return result;
  };

  std::size_t i = 0;
  while (i < d.size()) {
    const std::uint8_t prefix = d[i];
    if (prefix == 0xFE) {  // long item: size, tag, data; carries nothing we need
      if (i + 2 >= d.size()) return fail("long item cut short at byte " + std::to_string(i));
      const std::size_t size = d[i + 1];
      if (i + 3 + size > d.size()) return fail("long item cut short at byte " + std::to_string(i));
      i += 3 + size;
      continue;
    }
    static constexpr std::size_t kSizes[] = {0, 1, 2, 4};
    const std::size_t size = kSizes[prefix & 0x3];
    const std::uint8_t type = static_cast<std::uint8_t>((prefix >> 2) & 0x3);
    const std::uint8_t tag = static_cast<std::uint8_t>(prefix >> 4);
    if (i + 1 + size > d.size()) return fail("item cut short at byte " + std::to_string(i));
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < size; ++k) value |= std::uint32_t{d[i + 1 + k]} << (8 * k);
    i += 1 + size;

    if (type == 0) {  // main
      if (tag == kTagCollection) {
        if (depth >= kMaxCollectionDepth) return fail("collections nested too deep");
        if (depth == 0) {
          current = TopLevelCollection{};
          featureBits.clear();
          const std::uint32_t usage = usages.empty() ? 0 : usages.front();
          // A four-byte usage carries its own page in the high half.
          const std::uint32_t page = usage > 0xFFFF ? usage >> 16 : global.usagePage;
          current.caps.UsagePage = static_cast<std::uint16_t>(page);
          current.caps.Usage = static_cast<std::uint16_t>(usage & 0xFFFF);
        }
        ++depth;
      } else if (tag == kTagEndCollection) {
        if (depth == 0) return fail("end of collection without a collection at byte " + std::to_string(i - 1 - size));
        if (--depth == 0) {
          std::uint64_t longest = 0;
          for (const auto& [id, bits] : featureBits) {
            longest = std::max(longest, (bits + 7) / 8 + 1);
            current.featureReportIds.push_back(id);
          }
          current.caps.FeatureReportByteLength = static_cast<std::uint16_t>(std::min<std::uint64_t>(longest, 0xFFFF));
          result.collections.push_back(current);
        }
      } else if (tag == kTagFeature) {
        if (depth == 0) return fail("feature item outside a collection at byte " + std::to_string(i - 1 - size));
        std::uint64_t& bits = featureBits[global.reportId];
        bits += std::uint64_t{global.reportSize} * global.reportCount;
        if (bits > kMaxReportBits) return fail("feature report too long");
      }
      usages.clear();
    } else if (type == 1) {  // global
      switch (tag) {
        case kTagUsagePage: global.usagePage = value; break;
        case kTagReportSize: global.reportSize = value; break;
        case kTagReportCount: global.reportCount = value; break;
        case kTagReportId:
          if (value == 0 || value > 0xFF) return fail("report ID " + std::to_string(value) + " out of range");
          global.reportId = static_cast<std::uint8_t>(value);
          break;
        case kTagPush:
          if (stack.size() >= kMaxPushDepth) return fail("push nested too deep");
          stack.push_back(global);
          break;
        case kTagPop:
          if (stack.empty()) return fail("pop without push");
          global = stack.back();
          stack.pop_back();
          break;
        default: break;
      }
    } else if (type == 2) {  // local
      if (tag == kTagUsage) usages.push_back(size == 4 ? value : (value & 0xFFFF));
    }
  }
  if (depth != 0) result.error = "collection not closed at the end of the descriptor";
  return result;
}

}  // namespace px
