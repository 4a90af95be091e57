// A press that asks to move the window: the move begins only on a motion
// past the distance while the button is held, once, and never after release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window_drag.h"

namespace px {
namespace {

struct Step {
  enum Kind { Press, Move, Release } kind;
  Point at{};
  bool held = true;
};

TEST(WindowDragGesture, TheMoveBeginsOnlyWhileTheButtonIsHeld) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<bool> begins;  // OnMotion's answer for each motion, in order
  };
  const std::vector<Case> cases = {
      {"a tap, then the pointer moves on",
       {{Step::Press, {100, 100}}, {Step::Release}, {Step::Move, {200, 180}, false}, {Step::Move, {300, 250}, false}},
       {false, false}},
      {"a drag past the distance", {{Step::Press, {100, 100}}, {Step::Move, {104, 100}}, {Step::Move, {110, 101}}},
       {false, true}},
      {"upwards and left count alike", {{Step::Press, {100, 100}}, {Step::Move, {100, 90}}}, {true}},
      {"begins once", {{Step::Press, {100, 100}}, {Step::Move, {120, 100}}, {Step::Move, {140, 100}}}, {true, false}},
      {"the release went elsewhere",
       {{Step::Press, {100, 100}}, {Step::Move, {130, 100}, false}, {Step::Move, {160, 100}}},
       {false, false}},
      {"no press asked for a move", {{Step::Move, {100, 100}}, {Step::Move, {300, 300}}}, {false, false}},
      {"a new press measures from itself",
       {{Step::Press, {100, 100}}, {Step::Release}, {Step::Press, {200, 200}}, {Step::Move, {205, 205}}},
       {false}},
  };
  for (const Case& c : cases) {
    WindowDragGesture gesture(10);
    std::vector<bool> begins;
    for (const Step& step : c.steps) {
      if (step.kind == Step::Press) gesture.Arm(step.at);
      if (step.kind == Step::Release) gesture.Cancel();
      if (step.kind == Step::Move) begins.push_back(gesture.OnMotion(step.at, step.held) == DragMotion::Begin);
    }
    EXPECT_EQ(begins, c.begins) << c.name;
  }
}

TEST(WindowDragGesture, ByHandTheWindowKeepsItsGripUnderThePointerUntilTheRelease) {
  WindowDragGesture gesture(10);
  gesture.Arm({500, 300}, {40, 12});
  ASSERT_EQ(gesture.OnMotion({520, 300}, true), DragMotion::Begin);
  gesture.FollowByHand();
  EXPECT_EQ(gesture.OnMotion({530, 310}, true), DragMotion::Follow);
  EXPECT_EQ(gesture.WindowAt({530, 310}), (Point{490, 298}));
  EXPECT_EQ(gesture.OnMotion({540, 310}, false), DragMotion::None);  // the release went elsewhere
  EXPECT_EQ(gesture.OnMotion({550, 310}, true), DragMotion::None);   // and the move is over
  gesture.Arm({500, 300}, {40, 12});
  gesture.FollowByHand();
  gesture.Cancel();
  EXPECT_EQ(gesture.OnMotion({530, 310}, true), DragMotion::None);
  gesture.FollowByHand();
  gesture.Arm({100, 100});  // a new press starts afresh
  EXPECT_EQ(gesture.OnMotion({101, 101}, true), DragMotion::None);
}

}  // namespace
}  // namespace px
