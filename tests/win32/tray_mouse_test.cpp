// The icon's callback messages as the core hears them: the three clicks it
// acts on by name, every other mouse message as nothing to do.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "app/win32/tray_icon.h"

namespace px {
namespace {

TEST(TrayMouseOfMessage, NamesTheClicksAndNothingElse) {
  const std::pair<LPARAM, TrayMouse> cases[] = {
      {WM_LBUTTONUP, TrayMouse::LeftUp},     {WM_LBUTTONDBLCLK, TrayMouse::LeftDoubleClick},
      {WM_RBUTTONUP, TrayMouse::RightUp},    {WM_MOUSEMOVE, TrayMouse::Other},
      {WM_LBUTTONDOWN, TrayMouse::Other},    {WM_RBUTTONDOWN, TrayMouse::Other},
      {WM_RBUTTONDBLCLK, TrayMouse::Other},  {WM_MBUTTONDOWN, TrayMouse::Other},
      {WM_MBUTTONUP, TrayMouse::Other},      {0x10000 | WM_LBUTTONUP, TrayMouse::Other},
      {-1, TrayMouse::Other},                {0, TrayMouse::Other},
  };
  for (const auto& [message, event] : cases) {
    EXPECT_EQ(TrayMouseOfMessage(message), event) << std::hex << message;
  }
}

}  // namespace
}  // namespace px
