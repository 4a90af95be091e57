// The simulated mouse's own side: its state file and what it answers to
// reports outside the protocol.
#include <gtest/gtest.h>

#include "device/scrambling.h"
#include "device/transactions.h"
#include "device_fixtures.h"

namespace px {
namespace {

using Report8 = std::array<std::uint8_t, 8>;

Report8 Command(std::uint8_t command, std::uint8_t rate = 0, std::uint8_t stage = 0) {
  Report8 r{0x01, 0xAA, 0xCC, 0xEE, 0xDD, command, rate, stage};
  ScrambleControlReport(r);
  return r;
}

TEST(SimulatedMouse, StateFileMissingOrDamaged) {
  testing::TempDir dir;
  const auto file = dir.path() / "state.bin";
  SimulatedMouse mouse(SystemFileSystem(), file);
  EXPECT_EQ(mouse.Load(), SimulatedMouse::StateFile::Missing);
  EXPECT_FALSE(mouse.Attached());

  std::ofstream(file, std::ios::binary) << std::string(321, 'x');
  EXPECT_EQ(mouse.Load(), SimulatedMouse::StateFile::Damaged);
  EXPECT_NE(mouse.Error().find("not a mouse state file: 321 bytes, expected 322"), std::string::npos) << mouse.Error();
  EXPECT_EQ(mouse.Memory(), DeviceImage{});  // no silent partial load
  EXPECT_EQ(mouse.OpenControl(), nullptr);

  SimulatedHidBus bus(std::make_shared<SimulatedMouse>(SystemFileSystem(), file), MouseInterfaces());
  DeviceLink link;
  testing::RecordingBoxes boxes;
  EXPECT_FALSE(Discover(bus, link, boxes));  // a damaged mouse is no mouse

  testing::WriteState(file, testing::PatternImage());
  EXPECT_EQ(mouse.Load(), SimulatedMouse::StateFile::Loaded);
  EXPECT_EQ(mouse.Memory(), testing::PatternImage());

  // A folder in its place: refused with a reason, not a crash, and the
  // memory already loaded stays.
  SimulatedMouse folder(SystemFileSystem(), dir.path());
  EXPECT_EQ(folder.Load(), SimulatedMouse::StateFile::Damaged);
  EXPECT_NE(folder.Error().find("a folder, not a mouse state file"), std::string::npos) << folder.Error();
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(mouse.Load(), SimulatedMouse::StateFile::Damaged);
  EXPECT_EQ(mouse.Memory(), testing::PatternImage());
  EXPECT_FALSE(mouse.Attached());
}

// Unplugged under an open connection: its transfers fail as a real mouse's
// handles do, so Apply shows its two boxes, and no save brings the file back.
// Plugged in again, the old handles stay dead; a new discovery opens it.
TEST(SimulatedMouse, AnOpenConnectionDiesWithItsStateFile) {
  testing::LinkedMouse m;
  ASSERT_TRUE(m.Connect());
  DeviceImage image = testing::PatternImage();
  std::filesystem::remove(m.stateFile);
  EXPECT_FALSE(m.operations.GetDPIStage(image));
  EXPECT_FALSE(m.operations.WriteOperation(image));
  EXPECT_EQ(m.boxes.shown, (std::vector<testing::Box>{{Text(testing::kNotDetected), u"GetDPIStage"},
                                                      {Text(testing::kNotDetected), u"WriteOperation"}}));
  EXPECT_FALSE(std::filesystem::exists(m.stateFile));

  testing::WriteState(m.stateFile, testing::PatternImage());
  EXPECT_FALSE(m.operations.GetDPIStage(image));
  DeviceLink again;
  ASSERT_TRUE(Discover(*m.bus, again, m.boxes));
  again.ScramblingOn = true;
  FeatureReportTransactions fresh{again, m.boxes, m.waits, testing::kNotDetected};
  image.SensorDPIStage = 1;
  EXPECT_TRUE(fresh.WriteOperation(image));
  EXPECT_EQ(testing::ReadBytes(m.stateFile)[1], 1);
}

TEST(SimulatedMouse, IgnoresWhatIsNotItsProtocol) {
  testing::TempDir dir;
  const auto file = dir.path() / "state.bin";
  testing::WriteState(file, testing::PatternImage());
  SimulatedMouse mouse(SystemFileSystem(), file);
  auto control = mouse.OpenControl();
  auto data = mouse.OpenData();
  ASSERT_TRUE(control && data);
  std::array<std::uint8_t, 65> block{};

  // A block fetch that no command announced fails.
  EXPECT_FALSE(data->GetFeature(block));
  // Unscrambled commands carry no signature for the mouse: it does nothing.
  Report8 plain{0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x00, 0x08, 0x01};
  EXPECT_TRUE(control->SetFeature(plain));
  EXPECT_EQ(mouse.Memory(), testing::PatternImage());
  // A status write with the wrong report ID is refused.
  Report8 wrongId = Command(0x00, 8, 1);
  wrongId[0] = 0x02;
  EXPECT_FALSE(control->SetFeature(wrongId));
  // A block write after a read announce is refused; so is a short report.
  EXPECT_TRUE(control->SetFeature(Command(0x83)));
  EXPECT_FALSE(data->SetFeature(block));
  EXPECT_TRUE(control->SetFeature(Command(0x03)));
  EXPECT_FALSE(data->SetFeature(std::span<const std::uint8_t>(block.data(), 64)));
  EXPECT_EQ(mouse.Memory(), testing::PatternImage());
  const auto onDisk = testing::ReadBytes(file);
  EXPECT_TRUE(std::equal(onDisk.begin(), onDisk.end(), testing::PatternImage().Bytes().begin()));

  // A proper status write is kept, in memory and on disk.
  EXPECT_TRUE(control->SetFeature(Command(0x00, 8, 1)));
  EXPECT_EQ(mouse.Memory().USBReportRate, 8);
  EXPECT_EQ(mouse.Memory().SensorDPIStage, 1);
  EXPECT_EQ(testing::ReadBytes(file)[0], 8);
}

}  // namespace
}  // namespace px
