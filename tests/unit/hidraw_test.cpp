// The Linux side of the bus: report descriptors as the mouse and ordinary
// devices present them, the uevent identity, and the sysfs walk on a fake tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "device/discovery.h"
#include "device/linux/hidraw_bus.h"
#include "device/linux/report_descriptor.h"
#include "device_fixtures.h"

namespace px {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Captured report descriptors, kept once as files that the fuzzer also
// starts from; read at a test's first use, so that a missing file fails it.
Bytes Golden(const std::string& name) {
  const std::string path = std::string(PX_SOURCE_DIR) + "/tests/fuzz/corpus/report_descriptor/" + name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Keyboard interface: boot keyboard input plus a vendor feature report of
// 7 data bytes under report ID 1, and a consumer-control collection (ID 2).
const Bytes& KeyboardInterface() {
  static const Bytes bytes = Golden("keyboard");
  return bytes;
}

// Mouse interface, no report IDs: buttons and axes in a physical
// collection, then a 64-byte vendor feature report.
const Bytes& MouseInterface() {
  static const Bytes bytes = Golden("mouse");
  return bytes;
}

TEST(ReportDescriptor, KeyboardCollectionWithEightByteFeatureReport) {
  const ParsedDescriptor p = ParseReportDescriptor(KeyboardInterface());
  ASSERT_TRUE(p.error.empty()) << p.error;
  ASSERT_EQ(p.collections.size(), 2u);
  EXPECT_EQ(p.collections[0].caps.UsagePage, 0x01);
  EXPECT_EQ(p.collections[0].caps.Usage, 0x06);
  EXPECT_EQ(p.collections[0].caps.FeatureReportByteLength, 8);  // 7 data bytes + report ID
  EXPECT_EQ(p.collections[0].featureReportIds, (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(p.collections[1].caps.UsagePage, 0x0C);
  EXPECT_EQ(p.collections[1].caps.Usage, 0x01);
  EXPECT_EQ(p.collections[1].caps.FeatureReportByteLength, 0);  // no feature report at all
}

TEST(ReportDescriptor, MouseCollectionWithSixtyFiveByteFeatureReport) {
  const ParsedDescriptor p = ParseReportDescriptor(MouseInterface());
  ASSERT_TRUE(p.error.empty()) << p.error;
  ASSERT_EQ(p.collections.size(), 1u);  // the physical collection is not top-level
  EXPECT_EQ(p.collections[0].caps.UsagePage, 0x01);
  EXPECT_EQ(p.collections[0].caps.Usage, 0x02);
  EXPECT_EQ(p.collections[0].caps.FeatureReportByteLength, 65);  // 64 + the zero report ID byte
  EXPECT_EQ(p.collections[0].featureReportIds, (std::vector<std::uint8_t>{0}));
}

TEST(ReportDescriptor, LongestFeatureReportOfSeveralIdsAndSplitItems) {
  const Bytes d{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
                0x75, 0x08, 0x85, 0x03, 0x95, 0x02, 0xB1, 0x02,  // ID 3: 2 bytes
                0x85, 0x01, 0x95, 0x04, 0xB1, 0x02,              // ID 1: 4 bytes ...
                0x75, 0x01, 0x95, 0x0C, 0xB1, 0x02,              // ... + 12 bits = 6 bytes (rounded up)
                0xA4, 0x85, 0x05, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02, 0xB4,  // push, ID 5: 1 byte, pop
                0x95, 0x04, 0xB1, 0x02,                          // back on ID 1 with 1-bit fields: 4 bits more
                0xC0};
  const ParsedDescriptor p = ParseReportDescriptor(d);
  ASSERT_TRUE(p.error.empty()) << p.error;
  ASSERT_EQ(p.collections.size(), 1u);
  // ID 1: 32 + 12 + 4 bits = 6 bytes, + ID = 7.
  EXPECT_EQ(p.collections[0].caps.FeatureReportByteLength, 7);
  EXPECT_EQ(p.collections[0].featureReportIds, (std::vector<std::uint8_t>{1, 3, 5}));
}

TEST(ReportDescriptor, LongItemsAndExtendedUsagesAreUnderstood) {
  const Bytes d{0xFE, 0x03, 0xF1, 0xAA, 0xBB, 0xCC,              // long item before everything
                0x05, 0x0C,                                      // a page that the usage overrides
                0x0B, 0x02, 0x00, 0x01, 0x00,                    // Usage 0x0001:0x0002 (4-byte)
                0xA1, 0x01,
                0xFE, 0x00, 0xF2,                                // empty long item inside
                0x75, 0x08, 0x95, 0x40, 0xB1, 0x02, 0xC0};
  const ParsedDescriptor p = ParseReportDescriptor(d);
  ASSERT_TRUE(p.error.empty()) << p.error;
  ASSERT_EQ(p.collections.size(), 1u);
  EXPECT_EQ(p.collections[0].caps.UsagePage, 0x01);
  EXPECT_EQ(p.collections[0].caps.Usage, 0x02);
  EXPECT_EQ(p.collections[0].caps.FeatureReportByteLength, 65);
}

TEST(ReportDescriptor, DamagedDescriptorsAreReportedNotTrusted) {
  const Bytes cutItem{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF};
  const Bytes cutLong{0x05, 0x01, 0xFE, 0x10, 0x01, 0x02};
  const Bytes strayEnd{0xC0};
  const Bytes badId{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x00, 0xC0};
  const Bytes popAlone{0xB4};
  const Bytes unclosed{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01};
  for (const Bytes* d : {&cutItem, &cutLong, &strayEnd, &badId, &popAlone, &unclosed}) {
    const ParsedDescriptor p = ParseReportDescriptor(*d);
    EXPECT_FALSE(p.error.empty());
    EXPECT_TRUE(p.collections.empty());
  }
  EXPECT_TRUE(ParseReportDescriptor({}).collections.empty());
}

TEST(ReportDescriptor, HugeCountsAndDeepNestingAreRefused) {
  // 0xFFFFFFFF fields of 0xFFFFFFFF bits each: refused, not wrapped round.
  const Bytes huge{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF,
                   0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02, 0xC0};
  EXPECT_FALSE(ParseReportDescriptor(huge).error.empty());
  // Many feature items that each stay below the limit but add up beyond it.
  Bytes many{0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x96, 0xFF, 0x7F};
  for (int k = 0; k < 8; ++k) many.insert(many.end(), {0xB1, 0x02});
  many.push_back(0xC0);
  EXPECT_FALSE(ParseReportDescriptor(many).error.empty());

  Bytes deep{0x05, 0x01, 0x09, 0x06};
  for (int k = 0; k < 100000; ++k) deep.insert(deep.end(), {0xA1, 0x00});
  const ParsedDescriptor p = ParseReportDescriptor(deep);
  EXPECT_NE(p.error.find("nested too deep"), std::string::npos) << p.error;
  EXPECT_TRUE(p.collections.empty());
}

// Random bytes and damaged copies of real descriptors, with a fixed seed:
// whatever comes in, the parser answers without reading past the end (the
// sanitizer build checks that) and every length it reports is one a report
// can have.
TEST(ReportDescriptor, RandomAndDamagedInputIsHandledSafely) {
  std::mt19937 rng(0x6410);  // fixed: the same inputs on every run
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  auto byte = [&] { return static_cast<std::uint8_t>(rng() & 0xFF); };
  const std::vector<const Bytes*> seeds{&KeyboardInterface(), &MouseInterface()};
  for (const Bytes* seed : seeds) ASSERT_FALSE(seed->empty()) << "a golden descriptor is missing";
  int parsedWithoutError = 0;
  for (int round = 0; round < 20000; ++round) {
    Bytes d;
    switch (round % 4) {
      case 0: {  // pure noise
        d.resize(pick(64));
        for (auto& b : d) b = byte();
        break;
      }
      case 1: {  // a real descriptor with a few bytes changed
        d = *seeds[pick(seeds.size())];
        for (std::size_t k = 0, n = 1 + pick(4); k < n; ++k) d[pick(d.size())] = byte();
        break;
      }
      case 2: {  // a real descriptor cut short
        d = *seeds[pick(seeds.size())];
        d.resize(pick(d.size()));
        break;
      }
      default: {  // a real descriptor with items spliced in: long, collection, push, pop, 4-byte data
        d = *seeds[pick(seeds.size())];
        static const Bytes kPieces[] = {{0xFE, 0xFF, 0x01}, {0xA1, 0x01}, {0xC0}, {0xA4}, {0xB4},
                                        {0x97, 0xFF, 0xFF, 0xFF, 0xFF}, {0x85}, {0xFE}};
        for (std::size_t k = 0, n = 1 + pick(3); k < n; ++k) {
          const Bytes& piece = kPieces[pick(std::size(kPieces))];
          d.insert(d.begin() + static_cast<std::ptrdiff_t>(pick(d.size() + 1)), piece.begin(), piece.end());
        }
        break;
      }
    }
    // Exactly as long as the input, so that any read beyond it is caught.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[d.size() + 1]);
    std::copy(d.begin(), d.end(), exact.get());
    const ParsedDescriptor p = ParseReportDescriptor(std::span<const std::uint8_t>(exact.get(), d.size()));
    if (p.error.empty()) ++parsedWithoutError;
    for (const TopLevelCollection& c : p.collections) {
      ASSERT_LE(c.caps.FeatureReportByteLength, (1u << 20) / 8 + 1) << "round " << round;
      ASSERT_TRUE(std::is_sorted(c.featureReportIds.begin(), c.featureReportIds.end()));
      ASSERT_EQ(c.caps.FeatureReportByteLength == 0, c.featureReportIds.empty()) << "round " << round;
    }
  }
  EXPECT_GT(parsedWithoutError, 0);  // the mutations do not all break the descriptor
}

TEST(HidUevent, VendorAndProductFromHidId) {
  const auto a = ParseHidUevent("DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A09E\nHID_NAME=Gaming Mouse\n");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->VendorID, 0x04D9);
  EXPECT_EQ(a->ProductID, 0xA09E);
  EXPECT_FALSE(ParseHidUevent("DRIVER=hid-generic\n"));
  EXPECT_FALSE(ParseHidUevent("HID_ID=garbage\n"));
  EXPECT_FALSE(ParseHidUevent("HID_ID=0003:0001000000:0000A09E\n"));
}

// A fake sysfs: /sys/class/hidraw/hidrawN/device/{uevent,report_descriptor}
// and matching /dev nodes (plain files: they open, their ioctls fail).
class FakeSysfs : public ::testing::Test {
 protected:
  void AddNode(const std::string& name, const std::string& hidId, const Bytes& descriptor) {
    const auto device = dir.path() / "sys" / "class" / "hidraw" / name / "device";
    std::filesystem::create_directories(device);
    std::ofstream(device / "uevent") << "DRIVER=hid-generic\nHID_ID=" << hidId << "\nHID_NAME=x\n";
    std::ofstream out(device / "report_descriptor", std::ios::binary);
    out.write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
    std::filesystem::create_directories(dir.path() / "dev");
    std::ofstream(dir.path() / "dev" / name) << "";
  }
  HidrawLocations Where() const { return {dir.path() / "sys", dir.path() / "dev"}; }
  std::string Node(const std::string& name) const { return (dir.path() / "dev" / name).string(); }

  testing::TempDir dir;
};

TEST_F(FakeSysfs, WalkListsEveryTopLevelCollectionInNodeOrder) {
  AddNode("hidraw10", "0003:000004D9:0000A09E", MouseInterface());
  AddNode("hidraw2", "0003:000004D9:0000A09E", KeyboardInterface());
  AddNode("hidraw0", "0003:0000046D:0000C31C", MouseInterface());
  AddNode("hidraw3", "0003:000004D9", MouseInterface());  // unreadable identity: left out
  std::vector<std::string> skipped;
  const auto found = WalkHidraw(Where(), &skipped);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(ToUtf8(found[0].path), Node("hidraw0"));
  EXPECT_EQ(found[0].attributes.VendorID, 0x046D);
  EXPECT_EQ(ToUtf8(found[1].path), Node("hidraw2"));
  EXPECT_EQ(found[1].caps.Usage, 0x06);
  EXPECT_EQ(found[1].caps.FeatureReportByteLength, 8);
  EXPECT_EQ(ToUtf8(found[2].path), Node("hidraw2") + "#1");  // the consumer collection of the same node
  EXPECT_EQ(found[2].node, found[1].node);
  EXPECT_EQ(ToUtf8(found[3].path), Node("hidraw10"));
  EXPECT_EQ(found[3].caps.FeatureReportByteLength, 65);
  EXPECT_EQ(skipped, (std::vector<std::string>{"hidraw3: no HID_ID in uevent"}));
}

TEST_F(FakeSysfs, DiscoveryOverHidrawPicksTheMouseNodes) {
  AddNode("hidraw0", "0003:0000046D:0000C31C", KeyboardInterface());  // a foreign keyboard alike
  AddNode("hidraw1", "0003:000004D9:0000A09E", KeyboardInterface());
  AddNode("hidraw2", "0003:000004D9:0000A09E", MouseInterface());
  HidrawBus bus(Where());
  DeviceLink link;
  testing::RecordingBoxes boxes;
  EXPECT_TRUE(Discover(bus, link, boxes));
  EXPECT_EQ(link.ControlReportLength, 8);
  EXPECT_EQ(link.DataReportLength, 65);
  EXPECT_TRUE(boxes.shown.empty());
  // The nodes are not hidraw devices: transfers fail rather than pretend.
  std::array<std::uint8_t, 8> report{1};
  EXPECT_FALSE(link.ControlHandle->GetFeature(report));
}

TEST_F(FakeSysfs, ReadErrorsInSysfsSkipTheNode) {
  // A report descriptor that opens but cannot be read (here: a folder; on a
  // live system, a device that goes away mid-walk) leaves the node out.
  AddNode("hidraw0", "0003:000004D9:0000A09E", MouseInterface());
  AddNode("hidraw1", "0003:000004D9:0000A09E", KeyboardInterface());
  const auto descriptor = dir.path() / "sys" / "class" / "hidraw" / "hidraw0" / "device" / "report_descriptor";
  std::filesystem::remove(descriptor);
  std::filesystem::create_directories(descriptor);
  std::vector<std::string> skipped;
  const auto found = WalkHidraw(Where(), &skipped);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].caps.Usage, 0x06);
  EXPECT_EQ(skipped, (std::vector<std::string>{"hidraw0: report descriptor unreadable"}));
}

TEST_F(FakeSysfs, NodeThatCannotBeOpenedShowsTheErrno) {
  AddNode("hidraw1", "0003:000004D9:0000A09E", KeyboardInterface());
  std::filesystem::remove(dir.path() / "dev" / "hidraw1");
  HidrawBus bus(Where());
  DeviceLink link;
  testing::RecordingBoxes boxes;
  EXPECT_FALSE(Discover(bus, link, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, u"CreateFile Error Code:2");  // ENOENT
}

TEST_F(FakeSysfs, NoHidrawClassMeansNoDevices) {
  HidrawBus bus(Where());
  DeviceLink link;
  testing::RecordingBoxes boxes;
  EXPECT_FALSE(Discover(bus, link, boxes));
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace px
