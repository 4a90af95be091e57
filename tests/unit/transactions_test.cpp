// The three transactions against the simulated mouse, byte for byte.
// The golden traces were computed independently of this code base from the
// scrambling rules (rotate left, XOR with the key, rotate right over 56
// big-endian bits) for a mouse whose memory byte i is 7i + 3.
#include <gtest/gtest.h>

#include <algorithm>

#include "device_fixtures.h"
#include "device/scrambling.h"

namespace px {
namespace {

using testing::Box;
using testing::kNotDetected;
using testing::LinkedMouse;
using testing::PatternImage;

const std::vector<std::string> kGetDpiStageTrace{
    "set control 0152d44fef0d7e4b",
    "get control 01d2d44fef0d7f4a",
};
const std::vector<std::string> kReadTrace{
    "set control 0152d44fef0d7e4b",
    "get control 01d2d44fef0d7f4a",
    "set control 0152d44fef0dfe4b",
    "get control 0152d44fef0dfe4b",
    "get data 00110bbdab975763ea492f9997b37b47f68143f5f3cf1f2b92b967d1dfeb230fbef17bcdbb874773da291fa9a7a36b57e661338583bf0f3b829957e1efdb131fae",
    "set control 0152d44fef0c7e4b",
    "get control 0152d44fef0c7e4b",
    "get data 00d16bddcbf73703ca090fb9b7935b67d641239593af7f4bf27947f1ffcb032f9eb15beddbe72713bae97fc9c7834b77c62113a5a39f6f5be25937818fbb733f8e",
    "set control 0152d44fef0cfe4b",
    "get control 0152d44fef0cfe4b",
    "get data 00914bfdebd71723aac96fd9d7f33b07b60103b5b38f5f6bd23927919fab634ffe713b8dfbc707339aa95fe9e7e32b17a6e173c5c3ff4f7bc21917a1af9b535fee",
    "set control 0152d44fef0f7e4b",
    "get control 0152d44fef0f7e4b",
    "get data 00512b9d8bb777438a894ff9f7d31b2796c163d5d3ef3f0bb2f907b1bf8b436fde311bad9ba76753fa693f8987c30b3786a153e5e3df2f1ba2d977c1cffb337fce",
    "set control 0152d44fef0ffe4b",
    "get control 0152d44fef0ffe4b",
    "get data 00110bbdab975763ea492f9997b37b47f68143f5f3cf1f2b92b967d1dfeb230fbef17bcdbb874773da291fa9a7a36b57e661338583bf0f3b829957e1efdb131fae",
};
const std::vector<std::string> kWriteTrace{
    "set control 0152d44fef0d7e4b",
    "get control 01d2d44fef0d7f4a",
    "set control 01d2d44fef4d7f4a",
    "wait 20",
    "set control 0152d44fef4dfe4b",
    "get control 0152d44fef4dfe4b",
    "set data 00110bbdab975763ea492f9997b37b47f68143f5f3cf1f2b92b967d1dfeb230fbef17bcdbb874773da291fa9a7a36b57e661338583bf0f3b829957e1efdb131fae",
    "wait 20",
    "set control 0152d44fef4c7e4b",
    "get control 0152d44fef4c7e4b",
    "set data 00d16bddcbf73703ca090fb9b7935b67d641239593af7f4bf27947f1ffcb032f9eb15beddbe72713bae97fc9c7834b77c62113a5a39f6f5be25937818fbb733f8e",
    "wait 20",
    "set control 0152d44fef4cfe4b",
    "get control 0152d44fef4cfe4b",
    "set data 00914bfdebd71723aac96fd9d7f33b07b60103b5b38f5f6bd23927919fab634ffe713b8dfbc707339aa95fe9e7e32b17a6e173c5c3ff4f7bc21917a1af9b535fee",
    "wait 20",
    "set control 0152d44fef4f7e4b",
    "get control 0152d44fef4f7e4b",
    "set data 00512b9d8bb777438a894ff9f7d31b2796c163d5d3ef3f0bb2f907b1bf8b436fde311bad9ba76753fa693f8987c30b3786a153e5e3df2f1ba2d977c1cffb337fce",
    "wait 20",
    "set control 0152d44fef4ffe4b",
    "get control 0152d44fef4ffe4b",
    "set data 00110bbdab975763ea492f9997b37b47f68143f5f3cf1f2b92b967d1dfeb230fbef17bcdbb874773da291fa9a7a36b57e661338583bf0f3b829957e1efdb131fae",
    "wait 20",
};

int Count(const std::vector<std::string>& trace, const std::string& prefix) {
  return static_cast<int>(std::count_if(trace.begin(), trace.end(),
                                        [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

// The pattern mouse, found and linked, and an empty image to read into.
struct ConnectedMouse : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(m.Connect()); }
  LinkedMouse m;
  DeviceImage image;
};

TEST_F(ConnectedMouse, GetDpiStageWireTraceAndStatusBytes) {
  EXPECT_TRUE(m.operations.GetDPIStage(image));
  EXPECT_EQ(m.trace, kGetDpiStageTrace);
  EXPECT_EQ(image.USBReportRate, 2);
  EXPECT_EQ(image.SensorDPIStage, 3);
  EXPECT_EQ(image.Block(1), ConfigBlock{});  // only the status bytes change
  EXPECT_TRUE(m.boxes.shown.empty());
}

TEST_F(ConnectedMouse, ReadOperationWireTraceFillsTheWholeImage) {
  EXPECT_TRUE(m.operations.ReadOperation(image));
  EXPECT_EQ(m.trace, kReadTrace);
  EXPECT_EQ(image, PatternImage());
  EXPECT_EQ(m.counted.count, 0u);  // no pause between blocks
  EXPECT_TRUE(m.boxes.shown.empty());
}

TEST(Transactions, WriteOperationWireTraceOrderAndPauses) {
  DeviceImage blank;  // the mouse reports 500 Hz, stage 3 and holds empty blocks
  blank.USBReportRate = 2;
  blank.SensorDPIStage = 3;
  LinkedMouse m(blank);
  ASSERT_TRUE(m.Connect());
  ASSERT_TRUE(m.operations.WriteOperation(PatternImage()));
  EXPECT_EQ(m.trace, kWriteTrace);
  EXPECT_EQ(Count(m.trace, "set control"), 7);
  EXPECT_EQ(Count(m.trace, "get control"), 6);
  EXPECT_EQ(Count(m.trace, "set data"), 5);
  EXPECT_EQ(Count(m.trace, "get data"), 0);
  EXPECT_EQ(Count(m.trace, "wait 20"), 6);
  EXPECT_EQ(m.counted.totalMs, 120u);
  // The mouse now holds the image, and so does its state file.
  EXPECT_EQ(m.mouse->Memory(), PatternImage());
  const auto saved = testing::ReadBytes(m.stateFile);
  const DeviceImage expected = PatternImage();
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), expected.Bytes().begin(), expected.Bytes().end()));
  EXPECT_FALSE(std::filesystem::exists(m.stateFile.string() + ".tmp"));
}

TEST_F(ConnectedMouse, ReadThenWriteRoundTripsEveryByte) {
  ASSERT_TRUE(m.operations.ReadOperation(image));
  image.Block(3)[10] = 0x5A;
  image.USBReportRate = 8;
  ASSERT_TRUE(m.operations.WriteOperation(image));
  DeviceImage again;
  ASSERT_TRUE(m.operations.ReadOperation(again));
  EXPECT_EQ(again, image);
}

SimulatedFaults With(bool SimulatedFaults::*flag) {
  SimulatedFaults faults;
  faults.*flag = true;
  return faults;
}

// A bad status reply: one box, nothing stored, nothing more on the wire.
struct BadReplyCase {
  const char* name;
  SimulatedFaults faults;
  bool getDpiFails, readFails, writeFails;
};

class BadStatusReply : public ::testing::TestWithParam<BadReplyCase> {};

TEST_P(BadStatusReply, EachOperationChecksAsItShould) {
  const BadReplyCase& c = GetParam();
  {
    LinkedMouse m(PatternImage(), c.faults);
    ASSERT_TRUE(m.Connect());
    DeviceImage image;
    EXPECT_EQ(m.operations.GetDPIStage(image), !c.getDpiFails);
    if (c.getDpiFails) {
      EXPECT_EQ(m.boxes.shown, (std::vector<Box>{{Text(kNotDetected), u"GetDPIStage"}}));
      EXPECT_EQ(image, DeviceImage{});
    }
    EXPECT_EQ(m.trace.size(), 2u);
  }
  {
    LinkedMouse m(PatternImage(), c.faults);
    ASSERT_TRUE(m.Connect());
    DeviceImage image;
    EXPECT_EQ(m.operations.ReadOperation(image), !c.readFails);
    if (c.readFails) {
      EXPECT_EQ(m.boxes.shown, (std::vector<Box>{{u"1222", u"ReadOperation"}}));
      EXPECT_EQ(image, DeviceImage{});
      EXPECT_EQ(m.trace.size(), 2u);  // no block requests
    } else {
      EXPECT_EQ(m.trace.size(), 17u);
    }
  }
  {
    LinkedMouse m(DeviceImage{}, c.faults);
    ASSERT_TRUE(m.Connect());
    EXPECT_EQ(m.operations.WriteOperation(PatternImage()), !c.writeFails);
    if (c.writeFails) {
      EXPECT_EQ(m.boxes.shown, (std::vector<Box>{{Text(kNotDetected), u"WriteOperation"}}));
      EXPECT_EQ(m.trace.size(), 2u);
      EXPECT_EQ(m.counted.count, 0u);
      EXPECT_EQ(m.mouse->Memory(), DeviceImage{});
    } else {
      EXPECT_EQ(m.trace.size(), 24u);
      EXPECT_EQ(m.mouse->Memory(), PatternImage());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Transactions, BadStatusReply,
    ::testing::Values(BadReplyCase{"WrongSignature", With(&SimulatedFaults::wrongSignature), true, true, true},
                      // Report ID 2 with a good signature passes only the write's weaker check.
                      BadReplyCase{"WrongReportId", With(&SimulatedFaults::wrongReportId), true, true, false},
                      BadReplyCase{"FailingTransfers", With(&SimulatedFaults::failTransfers), true, true, true}),
    [](const ::testing::TestParamInfo<BadReplyCase>& p) { return std::string(p.param.name); });

// Before discovery has switched scrambling on, reports go out and replies
// are read as they are.
TEST(Transactions, ScramblingOffLeavesEveryReportPlain) {
  class PlainMouse final : public HidCollection {
   public:
    explicit PlainMouse(std::vector<std::string>& log) : log_(log) {}
    bool SetFeature(std::span<const std::uint8_t> report) override {
      log_.push_back("set " + LowerHex(report));
      return true;
    }
    bool GetFeature(std::span<std::uint8_t> report) override {
      const std::array<std::uint8_t, 8> reply{0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x04, 0x02};
      std::copy(reply.begin(), reply.end(), report.begin());
      log_.push_back("get " + LowerHex(report));
      return true;
    }

   private:
    std::vector<std::string>& log_;
  };
  std::vector<std::string> log;
  DeviceLink link;
  link.ControlHandle = std::make_unique<PlainMouse>(log);
  link.ControlReportLength = 8;
  testing::RecordingBoxes boxes;
  CountingWait waits;
  FeatureReportTransactions ops(link, boxes, waits, kNotDetected);
  DeviceImage image;
  ASSERT_TRUE(ops.GetDPIStage(image));
  EXPECT_EQ(log, (std::vector<std::string>{"set 01aacceedd800000", "get 01aacceedd800402"}));
  EXPECT_EQ(image.USBReportRate, 4);
  EXPECT_EQ(image.SensorDPIStage, 2);
}

TEST(Transactions, NoMouseOpenEveryOperationBoxesOnce) {
  DeviceLink link;  // nothing open: transfers fail silently
  testing::RecordingBoxes boxes;
  CountingWait waits;
  FeatureReportTransactions ops(link, boxes, waits, kNotDetected);
  DeviceImage image;
  EXPECT_FALSE(ops.GetDPIStage(image));
  EXPECT_FALSE(ops.ReadOperation(image));
  EXPECT_FALSE(ops.WriteOperation(image));
  EXPECT_EQ(boxes.shown, (std::vector<Box>{{Text(kNotDetected), u"GetDPIStage"},
                                           {u"1222", u"ReadOperation"},
                                           {Text(kNotDetected), u"WriteOperation"}}));
  EXPECT_EQ(waits.count, 0u);
}

TEST(Transactions, UnplugDuringReadKeepsUnreadBlocksAndCountsThem) {
  // Status read (2 transfers) and blocks 1 and 2 (3 each) go through.
  SimulatedFaults faults;
  faults.unplugAfterTransfers = 8;
  LinkedMouse m(PatternImage(), faults);
  ASSERT_TRUE(m.Connect());
  DeviceImage image;
  EXPECT_TRUE(m.operations.ReadOperation(image));  // block transfers are not checked
  EXPECT_EQ(m.operations.FailedBlockTransfers(), 3u);
  EXPECT_EQ(image.Block(1), PatternImage().Block(1));
  EXPECT_EQ(image.Block(2), PatternImage().Block(2));
  EXPECT_EQ(image.Block(3), ConfigBlock{});  // not the unscrambled noise of an empty buffer
  EXPECT_EQ(m.trace.size(), 17u);            // every report is still tried
  EXPECT_EQ(m.trace.back().substr(m.trace.back().size() - 6), "failed");
  EXPECT_FALSE(m.mouse->Attached());
}

TEST(Transactions, ControlBeforeDataLeavesNoBlockUnsent) {
  // Keyboard collection listed first: the enumeration still opens the data
  // collection, so the blocks reach the mouse.
  const auto devices = MouseInterfaces();
  ASSERT_EQ(devices[0].kind, SimulatedHidDevice::Kind::MouseControl);
  LinkedMouse m(DeviceImage{}, {}, devices);
  ASSERT_TRUE(m.Connect());
  EXPECT_TRUE(m.operations.WriteOperation(PatternImage()));
  EXPECT_EQ(m.operations.FailedBlockTransfers(), 0u);
  EXPECT_EQ(m.mouse->Memory(), PatternImage());
}

}  // namespace
}  // namespace px
