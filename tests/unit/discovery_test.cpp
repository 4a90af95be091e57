// Discovery's choices among HID interfaces, its failure branches, and the
// two mends: earlier handles are closed and preparsed data released; the
// enumeration goes on until both collections are open.
#include <gtest/gtest.h>

#include <algorithm>

#include "device_fixtures.h"

namespace px {
namespace {

using Kind = SimulatedHidDevice::Kind;
using testing::Box;

struct Bench : testing::MouseOnBus {
  explicit Bench(std::vector<SimulatedHidDevice> devices, bool mouseAttached = true)
      : MouseOnBus(std::move(devices), mouseAttached ? std::optional(testing::PatternImage()) : std::nullopt) {}
  bool Run() { return Discover(*bus, link, boxes); }
  std::vector<Kind> OpenedKinds() const {
    std::vector<Kind> kinds;
    for (const auto& [path, role] : bus->Opened()) {
      kinds.push_back(path.find(u"MI_00") != Text::npos ? Kind::MouseControl : Kind::MouseData);
      EXPECT_EQ(role, kinds.back() == Kind::MouseControl ? CollectionRole::Control : CollectionRole::Data);
    }
    return kinds;
  }
};

std::vector<SimulatedHidDevice> Ordered(std::initializer_list<Kind> kinds) {
  const auto mouse = MouseInterfaces();
  const auto foreign = ForeignInterfaces();
  std::vector<SimulatedHidDevice> out;
  std::size_t nextForeign = 0;
  for (Kind k : kinds) {
    if (k == Kind::Foreign) {
      out.push_back(foreign[nextForeign++ % foreign.size()]);
    } else {
      out.push_back(*std::find_if(mouse.begin(), mouse.end(), [k](const auto& d) { return d.kind == k; }));
    }
  }
  return out;
}

// Every order of the mouse's three collections among two foreign devices
// that mimic the mouse's usages and lengths: both collections end up open,
// with their lengths, and nothing foreign is ever opened.
TEST(Discovery, OpensBothCollectionsInAnyOrder) {
  std::vector<Kind> kinds{Kind::MouseControl, Kind::MouseData, Kind::MouseOther};
  std::sort(kinds.begin(), kinds.end());
  do {
    Bench b(Ordered({Kind::Foreign, kinds[0], kinds[1], Kind::Foreign, kinds[2]}));
    EXPECT_TRUE(b.Run());
    EXPECT_NE(b.link.ControlHandle, nullptr);
    EXPECT_NE(b.link.DataHandle, nullptr);
    EXPECT_EQ(b.link.ControlReportLength, 8);
    EXPECT_EQ(b.link.DataReportLength, 65);
    EXPECT_EQ(b.link.DevicePresent, 1);
    EXPECT_EQ(b.bus->Opened().size(), 2u);
    EXPECT_TRUE(b.boxes.shown.empty());
    EXPECT_EQ(b.bus->LiveInterfaceSets(), 0);
    EXPECT_EQ(b.bus->LivePreparsedData(), 0);
    EXPECT_EQ(b.bus->OpenHandles(), 2);  // query handles closed, the two collections open
  } while (std::next_permutation(kinds.begin(), kinds.end()));
}

TEST(Discovery, StopsOnceBothAreOpen) {
  // Data, then control: the interfaces after them are never examined, so a
  // broken one there does no harm.
  auto devices = Ordered({Kind::MouseData, Kind::MouseControl, Kind::Foreign});
  devices[2].failQueryOpen = true;
  Bench b(devices);
  EXPECT_TRUE(b.Run());
  EXPECT_EQ(b.OpenedKinds(), (std::vector<Kind>{Kind::MouseData, Kind::MouseControl}));
}

TEST(Discovery, ControlFirstStillOpensTheDataCollection) {
  Bench b(Ordered({Kind::MouseControl, Kind::Foreign, Kind::MouseOther, Kind::MouseData}));
  EXPECT_TRUE(b.Run());
  EXPECT_EQ(b.OpenedKinds(), (std::vector<Kind>{Kind::MouseControl, Kind::MouseData}));
}

TEST(Discovery, ControlWithoutDataSucceedsAtTheEndOfTheList) {
  Bench b(Ordered({Kind::Foreign, Kind::MouseControl, Kind::MouseOther}));
  EXPECT_TRUE(b.Run());
  EXPECT_NE(b.link.ControlHandle, nullptr);
  EXPECT_EQ(b.link.DataHandle, nullptr);
}

TEST(Discovery, DataWithoutControlFails) {
  Bench b(Ordered({Kind::MouseData, Kind::Foreign}));
  EXPECT_FALSE(b.Run());
  EXPECT_EQ(b.link.ControlHandle, nullptr);
  EXPECT_TRUE(b.boxes.shown.empty());
}

TEST(Discovery, NoMouseMeansNothingOpenedAndNoBox) {
  Bench b(Ordered({Kind::Foreign, Kind::MouseControl, Kind::MouseData, Kind::Foreign}), /*mouseAttached=*/false);
  EXPECT_FALSE(b.Run());
  EXPECT_TRUE(b.bus->Opened().empty());
  EXPECT_TRUE(b.boxes.shown.empty());
  EXPECT_EQ(b.bus->OpenHandles(), 0);
  EXPECT_EQ(b.link.DevicePresent, 0);
}

TEST(Discovery, OpenFailuresShowTheErrorCode) {
  struct Case {
    Kind first, second;
    std::size_t failing;  // which of the two fails to open
    std::uint32_t code;
    bool found;
    int devicePresent;
    std::size_t opened;
  };
  const Case cases[] = {
      // The search ends at the failure.
      {Kind::MouseData, Kind::MouseControl, 0, 5, false, 0, 0},
      // Present is set before the open, as the caller expects to reset it.
      {Kind::MouseControl, Kind::MouseData, 0, 32, false, 1, 0},
      // The control collection open still answers: the mouse counts as found.
      {Kind::MouseControl, Kind::MouseData, 1, 2, true, 1, 1},
  };
  for (const Case& c : cases) {
    auto devices = Ordered({c.first, c.second});
    devices[c.failing].failOpen = true;
    devices[c.failing].openErrorCode = c.code;
    Bench b(devices);
    EXPECT_EQ(b.Run(), c.found) << c.code;
    const std::string digits = std::to_string(c.code);
    const Text text = u"CreateFile Error Code:" + Text(digits.begin(), digits.end());
    EXPECT_EQ(b.boxes.shown, (std::vector<Box>{{text, u"PX6410-3-4"}})) << c.code;
    EXPECT_EQ(b.link.DevicePresent, c.devicePresent) << c.code;
    EXPECT_EQ(b.bus->Opened().size(), c.opened) << c.code;
    EXPECT_EQ(b.link.DataHandle, nullptr) << c.code;
  }
  EXPECT_EQ(CreateFileErrorText(0xFFFFFFFFu), u"CreateFile Error Code:-1");
}

TEST(Discovery, SilentFailureBranchesEndTheSearch) {
  struct Case {
    const char* name;
    void (*breakDevice)(SimulatedHidDevice&);
    void (*breakBus)(SimulatedHidBus&);
  };
  const Case cases[] = {
      {"no interface set", nullptr, [](SimulatedHidBus& bus) { bus.failInterfaceSet = true; }},
      {"enumeration error at 0", nullptr, [](SimulatedHidBus& bus) { bus.enumFailsAt = 0; }},
      {"preparsed data", [](SimulatedHidDevice& d) { d.failPreparsedData = true; }, nullptr},
      {"invalid preparsed data", [](SimulatedHidDevice& d) { d.invalidPreparsedData = true; }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto devices = Ordered({Kind::MouseOther, Kind::MouseData, Kind::MouseControl});
    if (c.breakDevice) c.breakDevice(devices[0]);
    Bench b(devices);
    if (c.breakBus) c.breakBus(*b.bus);
    EXPECT_FALSE(b.Run());
    EXPECT_TRUE(b.bus->Opened().empty());
    EXPECT_TRUE(b.boxes.shown.empty());
    EXPECT_EQ(b.bus->OpenHandles(), 0);
    EXPECT_EQ(b.bus->LivePreparsedData(), 0);
    EXPECT_EQ(b.bus->LiveInterfaceSets(), 0);
  }
}

TEST(Discovery, EnumerationErrorExaminesTheCurrentInterfaceOnceMoreThenEnds) {
  // Index 2 fails to enumerate: the interface of index 1 (the data
  // collection) is still current and already open; the search then ends.
  auto devices = Ordered({Kind::MouseOther, Kind::MouseData, Kind::MouseControl});
  Bench b(devices);
  b.bus->enumFailsAt = 2;
  EXPECT_FALSE(b.Run());
  EXPECT_EQ(b.OpenedKinds(), (std::vector<Kind>{Kind::MouseData}));
}

TEST(Discovery, AForeignDeviceNeverEndsTheSearch) {
  auto devices = Ordered({Kind::Foreign, Kind::Foreign, Kind::MouseControl, Kind::MouseData});
  devices[0].failPreparsedData = true;  // only the mouse's own collections get that far
  devices[1].invalidPreparsedData = true;
  Bench b(devices);
  EXPECT_TRUE(b.Run());
  EXPECT_EQ(b.bus->Opened().size(), 2u);
}

TEST(Discovery, AnInterfaceThatCannotBeQueriedIsPassedOver) {
  // Wine's and many machines' own devices refuse to be opened, or their
  // detail cannot be had: the mouse after them is still found.
  for (bool failPath : {false, true}) {
    SCOPED_TRACE(failPath ? "detail" : "query open");
    auto devices = Ordered({Kind::Foreign, Kind::Foreign, Kind::MouseData, Kind::MouseControl});
    devices[0].failQueryOpen = true;
    Bench b(devices);
    if (failPath) b.bus->pathFailsAt = 1;
    EXPECT_TRUE(b.Run());
    EXPECT_EQ(b.OpenedKinds(), (std::vector<Kind>{Kind::MouseData, Kind::MouseControl}));
    EXPECT_TRUE(b.boxes.shown.empty());
    EXPECT_EQ(b.bus->OpenHandles(), 2);
  }
}

TEST(Discovery, ANewRunClosesTheHandlesOfTheLastOne) {
  Bench b(Ordered({Kind::MouseControl, Kind::MouseData, Kind::MouseOther}));
  for (int run = 0; run < 3; ++run) {
    EXPECT_TRUE(b.Run());
    EXPECT_EQ(b.bus->OpenHandles(), 2) << "run " << run;
    EXPECT_EQ(b.bus->LivePreparsedData(), 0);
    EXPECT_EQ(b.bus->Opened().size(), 2u);  // the bus keeps no record of earlier runs
  }
  // The mouse goes away: the old handles do not linger.
  std::filesystem::remove(b.stateFile);
  EXPECT_FALSE(b.Run());
  EXPECT_EQ(b.bus->OpenHandles(), 0);
  EXPECT_EQ(b.link.ControlHandle, nullptr);
  EXPECT_EQ(b.link.DataHandle, nullptr);
  EXPECT_EQ(b.link.ControlReportLength, 0);
}

}  // namespace
}  // namespace px
