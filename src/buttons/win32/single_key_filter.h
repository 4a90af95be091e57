#pragma once
// The single key dialog's filter and hook in the system's numbers, turned
// into the core's words (buttons/dialog_fields.h), which decide.
#include <windows.h>

#include "buttons/dialog_fields.h"

namespace px {

// Sent by the hook to the open dialog once a key's name is captured.
inline constexpr UINT kKeyNameMessage = WM_USER + 0x704;

inline QueuedMessage QueuedMessageOf(UINT message) {
  return message == WM_KEYDOWN ? QueuedMessage::KeyDown : QueuedMessage::Other;
}

// The parameter is compared whole: only these exact codes name the keys.
inline QueuedKey QueuedKeyOf(WPARAM wParam) {
  switch (wParam) {
    case VK_LWIN:
    case VK_RWIN: return QueuedKey::WindowsKey;
    case VK_RETURN: return QueuedKey::Enter;
    case VK_ESCAPE: return QueuedKey::Escape;
    default: return QueuedKey::Other;
  }
}

inline HookNotice HookNoticeOf(int code) { return code == HC_ACTION ? HookNotice::Keystroke : HookNotice::Other; }

}  // namespace px
