// Qt's activation reasons as the core hears them: a click, a double click
// and the context click by name, the middle button as nothing to do.
#include <gtest/gtest.h>

#include <utility>

#include "app/qt/tray_qt.h"

namespace px {
namespace {

TEST(TrayMouseOf, NamesTheClicksAndNothingElse) {
  const std::pair<QSystemTrayIcon::ActivationReason, TrayMouse> cases[] = {
      {QSystemTrayIcon::Trigger, TrayMouse::LeftUp},
      {QSystemTrayIcon::DoubleClick, TrayMouse::LeftDoubleClick},
      {QSystemTrayIcon::Context, TrayMouse::RightUp},
      {QSystemTrayIcon::MiddleClick, TrayMouse::Other},
      {QSystemTrayIcon::Unknown, TrayMouse::Other},
  };
  for (const auto& [reason, event] : cases) {
    EXPECT_EQ(TrayMouseOf(reason), event) << static_cast<int>(reason);
  }
}

}  // namespace
}  // namespace px
