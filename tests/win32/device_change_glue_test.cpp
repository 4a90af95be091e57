// WM_DEVICECHANGE as the window procedure hands it over: only what the
// broadcast's own dbch_size covers is read. Another process's broadcast is
// copied by that size, so nothing beyond it may count.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "device/simulated_mouse.h"
#include "device/win32/device_change_win32.h"
#include "../unit/port_fakes.h"

namespace px {
namespace {

constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
const std::wstring kMousePath =
    L"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// A device-interface broadcast whose memory always holds the whole name and
// its terminator, with `declaredSize` in dbch_size.
struct Broadcast {
  Broadcast(const std::wstring& name, std::size_t declaredSize, DWORD deviceType = DBT_DEVTYP_DEVICEINTERFACE)
      : storage((kNameOffset + (name.size() + 1) * sizeof(wchar_t)) / sizeof(DWORD) + 2, 0) {
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    b->dbcc_size = static_cast<DWORD>(declaredSize);
    b->dbcc_devicetype = deviceType;
    std::memcpy(b->dbcc_name, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  }
  LPARAM lParam() { return reinterpret_cast<LPARAM>(storage.data()); }
  std::vector<DWORD> storage;
};

std::size_t SizeWithTerminator(const std::wstring& name) { return kNameOffset + (name.size() + 1) * sizeof(wchar_t); }

struct Glue : ::testing::Test, testing::SessionPorts {
  SimulatedHidBus bus{nullptr, {}};
  DeviceSession session{bus, boxes, waits, notes, image, u"not detected"};

  unsigned Counted(WPARAM event, LPARAM lParam) {
    const DeviceChangeMessage change = DecodeDeviceChangeMessage(event, lParam);
    session.OnDeviceChange(change.event, change.kind, change.deviceName);
    return session.DeviceChangeCounter();
  }
};

TEST_F(Glue, AWholeBroadcastNamingTheMouseCounts) {
  Broadcast arrival(kMousePath, SizeWithTerminator(kMousePath));
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, arrival.lParam()), 1u);
  EXPECT_EQ(Counted(DBT_DEVICEREMOVECOMPLETE, arrival.lParam()), 2u);
  // A name that ends with the structure, without a terminator, still counts.
  const std::wstring shortName = L"x#VID_04D9&PID_A09E";
  Broadcast unterminated(shortName, kNameOffset + shortName.size() * sizeof(wchar_t));
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, unterminated.lParam()), 3u);
}

TEST_F(Glue, NothingBeyondTheDeclaredSizeIsRead) {
  // Too short for the header: its device type is not there to be read.
  Broadcast tooShort(kMousePath, sizeof(DEV_BROADCAST_HDR) - 4);
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, tooShort.lParam()), 0u);
  // A header without a name.
  Broadcast headerOnly(kMousePath, kNameOffset);
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, headerOnly.lParam()), 0u);
  // The size ends the name inside the identifiers.
  Broadcast cut(kMousePath, kNameOffset + 16 * sizeof(wchar_t));
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, cut.lParam()), 0u);
  EXPECT_TRUE(notes.events.empty());
}

TEST_F(Glue, OtherEventsTypesAndOddValuesAreIgnored) {
  Broadcast whole(kMousePath, SizeWithTerminator(kMousePath));
  EXPECT_EQ(Counted(DBT_DEVNODES_CHANGED, 0), 0u);
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, 0), 0u);
  EXPECT_EQ(Counted(DBT_DEVICEQUERYREMOVE, whole.lParam()), 0u);
  Broadcast volume(kMousePath, SizeWithTerminator(kMousePath), DBT_DEVTYP_VOLUME);
  EXPECT_EQ(Counted(DBT_DEVICEARRIVAL, volume.lParam()), 0u);
#ifdef _WIN64
  // An event code with high bits set is not an arrival.
  EXPECT_EQ(Counted(static_cast<WPARAM>(0x100000000ULL | DBT_DEVICEARRIVAL), whole.lParam()), 0u);
#endif
}

}  // namespace
}  // namespace px
