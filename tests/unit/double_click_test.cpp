// Which presses make a double click: only two on one target, soon and near
// enough, and never three in a row.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "skin/double_click.h"

namespace px {
namespace {

const char kFrame = 'f';
const char kList = 'l';

TEST(DoubleClickPairing, TwoPressesPairOnlyOnOneTargetSoonAndNear) {
  struct Case {
    const char* what;
    std::vector<PressEvent> presses;
    std::vector<bool> seconds;
  };
  const DoubleClickLimits limits{500, 2};
  const std::array<Case, 8> cases{{
      {"a pair", {{&kFrame, 1000, 10, 10}, {&kFrame, 1499, 12, 8}}, {false, true}},
      {"too late", {{&kFrame, 1000, 10, 10}, {&kFrame, 1500, 10, 10}}, {false, false}},
      {"too far across", {{&kFrame, 1000, 10, 10}, {&kFrame, 1100, 13, 10}}, {false, false}},
      {"too far down", {{&kFrame, 1000, 10, 10}, {&kFrame, 1100, 10, 7}}, {false, false}},
      {"first on the list", {{&kList, 1000, 10, 10}, {&kFrame, 1100, 10, 10}}, {false, false}},
      {"a third press starts anew",
       {{&kFrame, 1000, 10, 10}, {&kFrame, 1100, 10, 10}, {&kFrame, 1200, 10, 10}, {&kFrame, 1300, 10, 10}},
       {false, true, false, true}},
      {"passed on to the parent", {{&kList, 1000, 10, 10}, {&kFrame, 1000, 10, 10}, {&kFrame, 1100, 10, 10}},
       {false, false, false}},
      {"a clock that went back", {{&kFrame, 9000, 10, 10}, {&kFrame, 200, 10, 10}}, {false, false}},
  }};
  for (const Case& c : cases) {
    DoubleClickPairing pairing(limits);
    std::vector<bool> seconds;
    for (const PressEvent& press : c.presses) seconds.push_back(pairing.Press(press));
    EXPECT_EQ(seconds, c.seconds) << c.what;
    EXPECT_EQ(pairing.LastEndedPairOn(&kFrame), c.seconds.back()) << c.what;
  }
}

}  // namespace
}  // namespace px
