// Start-up discovery and the counting of device-interface notifications.
#include <gtest/gtest.h>

#include "device_fixtures.h"

namespace px {
namespace {

using testing::Box;

constexpr TextView kUpper = u"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr TextView kMixed = u"\\\\?\\HID#Vid_04d9&Pid_a09e&MI_01#7&2b3c4d5e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr TextView kLower = u"\\\\?\\hid#vid_04d9&pid_a09e&mi_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr TextView kOther = u"\\\\?\\HID#VID_046D&PID_C31C&MI_00#8&0a0b0c0d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

struct Session : testing::SessionPorts {
  Session() : stateFile(dir.path() / "state.bin") {
    testing::WriteState(stateFile, testing::PatternImage());
    mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), stateFile);
    auto devices = ForeignInterfaces();
    for (auto& d : MouseInterfaces()) devices.push_back(d);
    bus = std::make_unique<SimulatedHidBus>(mouse, devices);
    session = std::make_unique<DeviceSession>(*bus, boxes, waits, notes, image, testing::kNotDetected);
  }
  bool Arrive(TextView name = kUpper) {
    return session->OnDeviceChange(DeviceEvent::Arrival, DeviceKind::Interface, name);
  }
  // Started with no mouse (nothing announced is kept), then plugged in.
  void StartEmptyThenPlugIn() {
    std::filesystem::remove(stateFile);
    ASSERT_FALSE(session->StartUp());
    ASSERT_FALSE(session->Link().ScramblingOn);
    notes.events.clear();
    testing::WriteState(stateFile, testing::PatternImage());
  }
  bool Remove(TextView name = kUpper) {
    return session->OnDeviceChange(DeviceEvent::RemoveComplete, DeviceKind::Interface, name);
  }

  testing::TempDir dir;
  std::filesystem::path stateFile;
  std::shared_ptr<SimulatedMouse> mouse;
  std::unique_ptr<SimulatedHidBus> bus;
  std::unique_ptr<DeviceSession> session;
};

TEST(DeviceChange, IdentificationIsCaseSensitive) {
  EXPECT_TRUE(NamesTheMouse(kUpper));
  EXPECT_TRUE(NamesTheMouse(kMixed));
  EXPECT_FALSE(NamesTheMouse(kLower));
  EXPECT_FALSE(NamesTheMouse(kOther));
  EXPECT_FALSE(NamesTheMouse(u""));
}

TEST(DeviceChange, StartUpReadsTheImageAndTheVariant) {
  Session s;
  DeviceImage expected = testing::PatternImage();
  s.image.Block(1)[0] = 0xEE;  // stale content is cleared before the read
  EXPECT_TRUE(s.session->StartUp());
  EXPECT_EQ(s.image, expected);
  EXPECT_EQ(s.session->DpiTableVariant(), expected.Block(4)[1]);
  EXPECT_TRUE(s.session->Link().ScramblingOn);
  EXPECT_TRUE(s.notes.events.empty());
}

TEST(DeviceChange, StartUpWithoutMouseAnnouncesIt) {
  Session s;
  std::filesystem::remove(s.stateFile);
  EXPECT_FALSE(s.session->StartUp());
  EXPECT_EQ(s.notes.events, (std::vector<std::string>{"not detected"}));
  EXPECT_EQ(s.session->DevicePresent(), 0);
  EXPECT_FALSE(s.session->Link().ScramblingOn);
  EXPECT_TRUE(s.boxes.shown.empty());
}

TEST(DeviceChange, EveryFourthMatchingNotificationRunsDiscovery) {
  Session s;
  ASSERT_NO_FATAL_FAILURE(s.StartEmptyThenPlugIn());

  EXPECT_TRUE(s.Arrive(kUpper));
  EXPECT_TRUE(s.Arrive(kMixed));
  EXPECT_TRUE(s.Remove(kUpper));  // removals count with arrivals
  EXPECT_EQ(s.session->DeviceChangeCounter(), 3);
  EXPECT_TRUE(s.notes.events.empty());
  EXPECT_EQ(s.session->DevicePresent(), 0);

  EXPECT_TRUE(s.Arrive(kUpper));  // the fourth: discovery, an arrival, found
  EXPECT_EQ(s.session->DeviceChangeCounter(), 0);
  EXPECT_EQ(s.notes.events, (std::vector<std::string>{"detected"}));
  EXPECT_EQ(s.session->DevicePresent(), 1);
  EXPECT_TRUE(s.session->Link().ScramblingOn);
  EXPECT_EQ(s.image, testing::PatternImage());
  EXPECT_EQ(s.session->DpiTableVariant(), testing::PatternImage().Block(4)[1]);

  EXPECT_TRUE(s.Arrive());  // a new count starts from 1
  EXPECT_EQ(s.session->DeviceChangeCounter(), 1);
}

TEST(DeviceChange, ArrivalAnnouncesTheMouseBeforeReadingIt) {
  Session s;
  ASSERT_NO_FATAL_FAILURE(s.StartEmptyThenPlugIn());
  s.image.Block(5)[0] = 0x77;  // stale: zero-filled only after the announcement
  unsigned transfersAtAnnouncement = 99;
  std::uint8_t staleByteAtAnnouncement = 0;
  s.notes.observe = [&](const std::string&) {
    transfersAtAnnouncement = s.mouse->Transfers();
    staleByteAtAnnouncement = s.image.Block(5)[0];
  };
  for (int i = 0; i < 4; ++i) s.Arrive();
  EXPECT_EQ(s.notes.events, (std::vector<std::string>{"detected"}));
  EXPECT_EQ(transfersAtAnnouncement, 0u);
  EXPECT_EQ(staleByteAtAnnouncement, 0x77);
  EXPECT_EQ(s.mouse->Transfers(), 17u);  // then the whole read
  EXPECT_EQ(s.image, testing::PatternImage());
}

TEST(DeviceChange, OtherNotificationsAreNotCounted) {
  Session s;
  EXPECT_TRUE(s.Arrive(kLower));
  EXPECT_TRUE(s.Arrive(kOther));
  EXPECT_TRUE(s.session->OnDeviceChange(DeviceEvent::Other, DeviceKind::Interface, kUpper));  // node changes, queries
  EXPECT_TRUE(s.session->OnDeviceChange(DeviceEvent::Arrival, DeviceKind::Other, kUpper));      // a volume, say
  EXPECT_TRUE(s.session->OnDeviceChange(DeviceEvent::Arrival, DeviceKind::Other, u""));
  EXPECT_EQ(s.session->DeviceChangeCounter(), 0);
}

TEST(DeviceChange, RemovalThatStillFindsTheMouseReadsNothing) {
  Session s;
  ASSERT_TRUE(s.session->StartUp());
  s.image.Block(2)[5] = 0x42;  // would be lost by a read
  const unsigned before = s.mouse->Transfers();
  for (int i = 0; i < 4; ++i) s.Remove(kMixed);
  EXPECT_EQ(s.session->DevicePresent(), 1);
  EXPECT_EQ(s.mouse->Transfers(), before);
  EXPECT_EQ(s.image.Block(2)[5], 0x42);
  EXPECT_TRUE(s.notes.events.empty());
}

TEST(DeviceChange, RemovalThatFindsAMouseFirstSeenNowSpeaksScrambled) {
  // No mouse at start, so scrambling never came on; it is plugged in, and
  // the count happens to reach four on a removal notification.
  Session s;
  ASSERT_NO_FATAL_FAILURE(s.StartEmptyThenPlugIn());
  for (int i = 0; i < 4; ++i) s.Remove();
  EXPECT_EQ(s.session->DevicePresent(), 1);
  EXPECT_TRUE(s.session->Link().ScramblingOn);
  // The next Apply reaches the mouse instead of showing "did not detect".
  DeviceImage image = testing::PatternImage();
  EXPECT_TRUE(s.session->Operations().GetDPIStage(image));
  EXPECT_TRUE(s.session->Operations().WriteOperation(image));
  EXPECT_TRUE(s.boxes.shown.empty());
}

TEST(DeviceChange, LostMouseIsAnnouncedAndTheWindowHidden) {
  for (bool arrival : {true, false}) {
    Session s;
    ASSERT_TRUE(s.session->StartUp());
    std::filesystem::remove(s.stateFile);
    for (int i = 0; i < 4; ++i) arrival ? s.Arrive() : s.Remove();
    EXPECT_EQ(s.notes.events, (std::vector<std::string>{"not detected", "hide"}));
    EXPECT_EQ(s.session->DevicePresent(), 0);
    EXPECT_EQ(s.bus->OpenHandles(), 0);  // the old handles were closed
    EXPECT_EQ(s.session->DeviceChangeCounter(), 0);
  }
}

TEST(DeviceChange, ArrivalWithABadStatusReplyBoxesAndLeavesTheImageZero) {
  Session s;
  s.mouse->Faults().wrongSignature = true;
  for (int i = 0; i < 4; ++i) s.Arrive();
  EXPECT_EQ(s.notes.events, (std::vector<std::string>{"detected"}));
  EXPECT_EQ(s.boxes.shown, (std::vector<Box>{{u"1222", u"ReadOperation"}}));
  EXPECT_EQ(s.image, DeviceImage{});
  EXPECT_EQ(s.session->DpiTableVariant(), 0);
}

}  // namespace
}  // namespace px
