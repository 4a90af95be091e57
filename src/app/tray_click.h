#pragma once
// What a mouse message on the notification-area icon asks of the main
// window. Pure decision; the window carries it out in the order of the fields.
#include <cstdint>

#include "page/page_state.h"

#include "common/text.h"

namespace px {

// The icon's tip, on both systems.
inline constexpr TextView kTrayTip = u"Gaming Mouse Setting";

enum class TrayAction {
  Nothing,
  NotifyNotDetected,  // no mouse: the not-detected balloon, the window stays hidden
  ShowWindow,         // the page steps below, then foreground and show
  ShowExitMenu,
};

struct TrayClickPlan {
  TrayAction action = TrayAction::Nothing;
  bool clearLabelsReloadPending = false;
  bool rebuildPage = false;  // tear down, re-read labels and skin keys, build
  bool buildPage = false;    // first build of a page never built
  friend bool operator==(const TrayClickPlan&, const TrayClickPlan&) = default;
};

// What the user did on the icon, in the core's words; each toolkit translates
// its own events (Win32's callback messages, Qt's activation reasons).
enum class TrayMouse : std::uint8_t {
  LeftUp,           // the left button released on the icon: a click
  LeftDoubleClick,
  RightUp,          // the context click
  Other,            // presses, moves, the middle button: nothing to do
};

struct TrayState {
  bool devicePresent = false;
  bool labelsReloadPending = false;
  int pageState = kPageNotBuilt;
  bool pageBuiltOnce = false;
};

TrayClickPlan DecideTrayClick(TrayMouse event, const TrayState& state);

}  // namespace px
