// Helper of the end-to-end tests: finds the utility's main window by its
// class, as any other process would, and sends it messages or reports on it.
//
//   px_e2e_helper wait-window MS     the window exists (exit 1 on time-out)
//   px_e2e_helper absent             no such window (exit 1 if one exists)
//   px_e2e_helper wait-visible MS    the window is visible
//   px_e2e_helper wait-hidden MS     the window exists and is hidden
//   px_e2e_helper state              prints visible/hidden, size, styles
//   px_e2e_helper send MSG W L       SendMessage (numbers: decimal or 0x..), prints the answer
//   px_e2e_helper post MSG W L       PostMessage
//   px_e2e_helper key VK             posts WM_KEYDOWN + WM_KEYUP of a virtual key
//   px_e2e_helper pid                the window's process id
//   px_e2e_helper client-origin      prints the screen position of client point 0,0
//   px_e2e_helper popups             prints the other visible windows of the window's process
//                                    (the dialogs it opened): "window X Y W H title=..." (client
//                                    origin and size), then "child ID CLASS L T R B text=..."
//                                    per control, list boxes with count, top, sel and itemh
//   px_e2e_helper close-class NAME   posts WM_CLOSE to the first window of class NAME
//   px_e2e_helper balloons           prints the text of every visible tooltip window (Wine's balloons)
//   px_e2e_helper count              prints the number of windows of the class
//   px_e2e_helper untray             removes the window's notification-area icon (as a
//                                    restarting shell loses it)
//   px_e2e_helper send-named NAME W L  SendMessage of the registered message NAME
//   px_e2e_helper boxes              prints caption|text of every visible message box of
//                                    the window's process; exit 1 when there is one
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kClass[] = L"PX6410GMClass";

HWND FindMain() { return ::FindWindowW(kClass, nullptr); }

unsigned long long Number(const wchar_t* text) { return std::wcstoull(text, nullptr, 0); }

template <typename Predicate>
bool WaitFor(const wchar_t* milliseconds, Predicate predicate) {
  const ULONGLONG deadline = ::GetTickCount64() + Number(milliseconds);
  for (;;) {
    if (predicate()) return true;
    if (::GetTickCount64() > deadline) return false;
    ::Sleep(20);
  }
}

struct BoxSearch {
  DWORD pid = 0;
  int found = 0;
};

BOOL CALLBACK ListBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (pid != search->pid || std::wcscmp(className, L"#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
  wchar_t caption[256] = {}, text[512] = {};
  ::GetWindowTextW(window, caption, 256);
  // The message text is the box's static control 0xFFFF.
  ::GetDlgItemTextW(window, 0xFFFF, text, 512);
  std::wprintf(L"%ls|%ls\n", caption, text);
  ++search->found;
  return TRUE;
}

std::string Utf8(const std::wstring& text) {
  char utf8[2048] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  return utf8;
}

// WM_GETTEXT is marshalled between processes; a hung dialog gives no text.
std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return Utf8(text);
}

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return Utf8(name);
}

struct PopupSearch {
  HWND main = nullptr;
  DWORD pid = 0;
};

BOOL CALLBACK PrintPopup(HWND window, LPARAM context) {
  const auto* search = reinterpret_cast<const PopupSearch*>(context);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || window == search->main || !::IsWindowVisible(window)) return TRUE;
  RECT client{};
  ::GetClientRect(window, &client);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  std::printf("window %ld %ld %ld %ld title=%s\n", origin.x, origin.y, client.right, client.bottom,
              TextOf(window).c_str());
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    const std::string className = ClassOf(child);
    std::printf("child %d %s %d %ld %ld %ld %ld", ::GetDlgCtrlID(child), className.c_str(),
                ::IsWindowVisible(child) ? 1 : 0, r.left, r.top, r.right, r.bottom);
    if (_stricmp(className.c_str(), "ListBox") == 0) {
      std::printf(" count=%ld top=%ld sel=%ld itemh=%ld", static_cast<long>(::SendMessageW(child, LB_GETCOUNT, 0, 0)),
                  static_cast<long>(::SendMessageW(child, LB_GETTOPINDEX, 0, 0)),
                  static_cast<long>(::SendMessageW(child, LB_GETCURSEL, 0, 0)),
                  static_cast<long>(::SendMessageW(child, LB_GETITEMHEIGHT, 0, 0)));
    }
    std::printf(" text=%s\n", TextOf(child).c_str());
  }
  return TRUE;
}

// The balloon text lives in the tray process: the tool record and the text
// buffer are placed there for the tooltip to fill, then read back.
std::wstring TooltipText(HWND tooltip) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(tooltip, &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return L"?";
  constexpr SIZE_T kChars = 1024;
  const SIZE_T size = sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<unsigned char*>(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  std::wstring result = L"?";
  if (remote != nullptr) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof(TTTOOLINFOW));
    SIZE_T written = 0;
    ::WriteProcessMemory(process, remote, &tool, sizeof(tool), &written);
    if (::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote))) {
      // The enumeration overwrote the text pointer: point it at the buffer again.
      ::ReadProcessMemory(process, remote, &tool, sizeof(tool), nullptr);
      tool.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof(TTTOOLINFOW));
      ::WriteProcessMemory(process, remote, &tool, sizeof(tool), &written);
      ::SendMessageW(tooltip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
      wchar_t text[kChars] = {};
      ::ReadProcessMemory(process, remote + sizeof(TTTOOLINFOW), text, sizeof(text) - sizeof(wchar_t), nullptr);
      result = text;
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  ::CloseHandle(process);
  return result;
}

BOOL CALLBACK PrintTooltip(HWND window, LPARAM) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (std::wcscmp(className, L"tooltips_class32") != 0 || !::IsWindowVisible(window)) return TRUE;
  std::wstring text = TooltipText(window);
  // UTF-8 so that the shell sees Chinese texts as they are.
  char utf8[4096] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
  std::printf("%s\n", utf8);
  return TRUE;
}

BOOL CALLBACK CountMain(HWND window, LPARAM context) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (std::wcscmp(className, kClass) == 0) ++*reinterpret_cast<int*>(context);
  return TRUE;
}

int Usage() {
  std::fputs("usage: px_e2e_helper wait-window|absent|wait-visible|wait-hidden|state|send|post|key|pid ...\n", stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];

  if (command == L"wait-window" && argc == 3) {
    if (WaitFor(argv[2], [] { return FindMain() != nullptr; })) return 0;
    std::fputs("no window of class PX6410GMClass\n", stderr);
    return 1;
  }
  if (command == L"absent") return FindMain() == nullptr ? 0 : 1;
  if (command == L"close-class" && argc == 3) {
    HWND other = ::FindWindowW(argv[2], nullptr);
    return other != nullptr && ::PostMessageW(other, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (command == L"balloons") {
    ::EnumWindows(PrintTooltip, 0);
    return 0;
  }
  if (command == L"count") {
    int count = 0;
    ::EnumWindows(CountMain, reinterpret_cast<LPARAM>(&count));
    std::printf("%d\n", count);
    return 0;
  }
  if (command == L"wait-visible" && argc == 3) {
    return WaitFor(argv[2], [] { HWND w = FindMain(); return w != nullptr && ::IsWindowVisible(w); }) ? 0 : 1;
  }
  if (command == L"wait-hidden" && argc == 3) {
    return WaitFor(argv[2], [] { HWND w = FindMain(); return w != nullptr && !::IsWindowVisible(w); }) ? 0 : 1;
  }

  HWND window = FindMain();
  if (window == nullptr) {
    std::fputs("no window of class PX6410GMClass\n", stderr);
    return 1;
  }
  if (command == L"untray" && argc == 2) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 0;
    return ::Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
  }
  if (command == L"send-named" && argc == 5) {
    const UINT message = ::RegisterWindowMessageW(argv[2]);
    DWORD_PTR answer = 0;
    if (message == 0 || !::SendMessageTimeoutW(window, message, static_cast<WPARAM>(Number(argv[3])),
                                               static_cast<LPARAM>(std::wcstoll(argv[4], nullptr, 0)),
                                               SMTO_ABORTIFHUNG, 5000, &answer)) {
      std::fputs("no answer\n", stderr);
      return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(answer));
    return 0;
  }
  if (command == L"state" && argc == 2) {
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    std::printf("%s %ldx%ld client %ldx%ld at %ld,%ld style 0x%08lX exstyle 0x%08lX\n",
                ::IsWindowVisible(window) ? "visible" : "hidden", outer.right - outer.left, outer.bottom - outer.top,
                client.right, client.bottom, outer.left, outer.top,
                static_cast<unsigned long>(::GetWindowLongPtrW(window, GWL_STYLE)),
                static_cast<unsigned long>(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return 0;
  }
  if ((command == L"send" || command == L"post") && argc == 5) {
    const auto message = static_cast<UINT>(Number(argv[2]));
    const auto wParam = static_cast<WPARAM>(Number(argv[3]));
    const auto lParam = static_cast<LPARAM>(std::wcstoll(argv[4], nullptr, 0));
    if (command == L"post") return ::PostMessageW(window, message, wParam, lParam) ? 0 : 1;
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer)) {
      std::fputs("no answer\n", stderr);
      return 1;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(answer));
    return 0;
  }
  if (command == L"key" && argc == 3) {
    const auto key = static_cast<WPARAM>(Number(argv[2]));
    const bool down = ::PostMessageW(window, WM_KEYDOWN, key, 1);
    const bool up = ::PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    return down && up ? 0 : 1;
  }
  if (command == L"client-origin" && argc == 2) {
    // Where client point (0, 0) is on the screen, for clicks at page coordinates.
    POINT origin{};
    ::ClientToScreen(window, &origin);
    std::printf("%ld %ld\n", origin.x, origin.y);
    return 0;
  }
  if (command == L"popups" && argc == 2) {
    PopupSearch search{window, 0};
    ::GetWindowThreadProcessId(window, &search.pid);
    ::EnumWindows(PrintPopup, reinterpret_cast<LPARAM>(&search));
    return 0;
  }
  if (command == L"pid" && argc == 2) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    std::printf("%lu\n", static_cast<unsigned long>(pid));
    return 0;
  }
  if (command == L"boxes" && argc == 2) {
    BoxSearch search;
    ::GetWindowThreadProcessId(window, &search.pid);
    ::EnumWindows(ListBox, reinterpret_cast<LPARAM>(&search));
    return search.found == 0 ? 0 : 1;
  }
  return Usage();
}
