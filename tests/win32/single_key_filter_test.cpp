// The single key dialog's queued messages and hook codes as the core hears
// them: only the exact codes name the keys that the filter acts on.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "buttons/win32/single_key_filter.h"

namespace px {
namespace {

TEST(SingleKeyFilter, NamesTheKeysAndMessagesItActsOn) {
  const std::pair<WPARAM, QueuedKey> keys[] = {
      {VK_LWIN, QueuedKey::WindowsKey}, {VK_RWIN, QueuedKey::WindowsKey}, {VK_RETURN, QueuedKey::Enter},
      {VK_ESCAPE, QueuedKey::Escape},   {'A', QueuedKey::Other},          {VK_APPS, QueuedKey::Other},
      {0, QueuedKey::Other},            {0x10000 | VK_RETURN, QueuedKey::Other},
  };
  for (const auto& [code, key] : keys) EXPECT_EQ(QueuedKeyOf(code), key) << code;
  const std::pair<UINT, QueuedMessage> messages[] = {
      {WM_KEYDOWN, QueuedMessage::KeyDown}, {WM_KEYUP, QueuedMessage::Other},
      {WM_CHAR, QueuedMessage::Other},      {WM_SYSKEYDOWN, QueuedMessage::Other},
  };
  for (const auto& [code, message] : messages) EXPECT_EQ(QueuedMessageOf(code), message) << code;
  EXPECT_EQ(HookNoticeOf(HC_ACTION), HookNotice::Keystroke);
  EXPECT_EQ(HookNoticeOf(HC_NOREMOVE), HookNotice::Other);
  EXPECT_EQ(HookNoticeOf(-1), HookNotice::Other);
  EXPECT_EQ(kKeyNameMessage, 0xB04u);  // the hook's private message keeps its number
}

}  // namespace
}  // namespace px
