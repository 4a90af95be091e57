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
//   px_e2e_helper desktop            Wine's desktop is up: a window can be made and the
//                                    notification area is there (exit 1 otherwise)
//   px_e2e_helper untray             removes the window's notification-area icon (as a
//                                    restarting shell loses it)
//   px_e2e_helper send-named NAME W L  SendMessage of the registered message NAME
//   px_e2e_helper boxes              prints caption|text of every visible message box of
//                                    the window's process; exit 1 when there is one
//   px_e2e_helper windows            prints every visible top-level window of the window's
//                                    process ("window X Y W H class=C title=T": client origin
//                                    on the screen, client size) and its child controls
//                                    ("child ID CLASS L T R B [count= top= sel= itemh=] text=T",
//                                    client coordinates; list boxes with their state), UTF-8
//   px_e2e_helper wait MS PATTERN    waits until a line of that listing matches the regular
//                                    expression PATTERN (prints it), or with "!PATTERN" until
//                                    none does; exit 1 with the listing on time-out
//   px_e2e_helper settle MS          waits until the window's thread has handled what was sent
//                                    to it and is in no move or size loop (exit 3 if it still is)
//   px_e2e_helper wait-active MS     waits until the window is the active and foreground one
//   px_e2e_helper wait-drag MS       waits until the window's thread is in a move loop
//   px_e2e_helper dpi-changed DPI [popup]
//                                    sends the window (or its open dialog) WM_GETDPISCALEDSIZE
//                                    and WM_DPICHANGED, as when it is moved to a monitor of that
//                                    DPI; prints "asked WxH", its size at that DPI, or "asked none"
//   px_e2e_helper batch              runs the commands on standard input, one a line (ASCII
//                                    words), each followed by a line "exit N"
//   px_e2e_helper measure            prints the window's process's resources, one
//                                    "name value" a line: gdi, windows, handles, private
//   px_e2e_helper soak SHOWS NOTES DEVICES STATE
//                                    SHOWS show/hide cycles, NOTES notification messages of
//                                    random types and values, DEVICES unplug/plug cycles of
//                                    the simulated mouse whose memory is the file STATE
//                                    (each four removals, then four arrivals)
#include <windows.h>

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <random>
#include <regex>
#include <string>
#include <vector>

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

std::string Utf8(const wchar_t* text) {
  char utf8[2048] = {};
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
  return utf8;
}

struct TreeListing {
  DWORD pid = 0;
  std::string text;
};

void Append(std::string& out, const char* format, ...) {
  char line[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  out += line;
}

BOOL CALLBACK ListWindowTree(HWND window, LPARAM context) {
  auto* listing = reinterpret_cast<TreeListing*>(context);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != listing->pid || !::IsWindowVisible(window)) return TRUE;
  std::string& out = listing->text;
  wchar_t className[64] = {}, title[256] = {};
  ::GetClassNameW(window, className, 64);
  ::GetWindowTextW(window, title, 256);
  RECT client{};
  ::GetClientRect(window, &client);
  POINT origin{};
  ::ClientToScreen(window, &origin);
  Append(out, "window %ld %ld %ld %ld class=%s title=%s\n", origin.x, origin.y, client.right, client.bottom,
         Utf8(className).c_str(), Utf8(title).c_str());
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    wchar_t childClass[64] = {};
    ::GetClassNameW(child, childClass, 64);
    Append(out, "child %d %s %ld %ld %ld %ld", ::GetDlgCtrlID(child), Utf8(childClass).c_str(), r.left, r.top, r.right,
           r.bottom);
    if (_wcsicmp(childClass, L"ListBox") == 0) {
      Append(out, " count=%d top=%d sel=%d itemh=%d", static_cast<int>(::SendMessageW(child, LB_GETCOUNT, 0, 0)),
             static_cast<int>(::SendMessageW(child, LB_GETTOPINDEX, 0, 0)),
             static_cast<int>(::SendMessageW(child, LB_GETCURSEL, 0, 0)),
             static_cast<int>(::SendMessageW(child, LB_GETITEMHEIGHT, 0, 0)));
    }
    // Asked of the control itself: an edit field's text is not its window title.
    Append(out, " text=%s\n", TextOf(child).c_str());
  }
  return TRUE;
}

// Every visible top-level window of the process and its visible controls.
std::string WindowTree(HWND window) {
  TreeListing listing;
  ::GetWindowThreadProcessId(window, &listing.pid);
  ::EnumWindows(ListWindowTree, reinterpret_cast<LPARAM>(&listing));
  return listing.text;
}

// Whether a line of the listing matches; "!" in front asks for none to match.
bool ListingHas(const std::string& listing, const std::string& pattern) {
  const bool negated = !pattern.empty() && pattern[0] == '!';
  const std::regex expression(negated ? pattern.substr(1) : pattern);
  std::size_t start = 0;
  while (start < listing.size()) {
    std::size_t end = listing.find('\n', start);
    if (end == std::string::npos) end = listing.size();
    if (std::regex_search(listing.begin() + static_cast<std::ptrdiff_t>(start),
                          listing.begin() + static_cast<std::ptrdiff_t>(end), expression)) {
      if (!negated) std::printf("%s\n", listing.substr(start, end - start).c_str());
      return !negated;
    }
    start = end + 1;
  }
  return negated;
}

// The window's thread has handled what was sent to it and is in no move or
// size loop: a click that rightly fell through to a window drag has ended it.
int Settle(HWND window, const wchar_t* milliseconds) {
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  const bool settled = WaitFor(milliseconds, [&] {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer)) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) == 0;
  });
  if (settled) return 0;
  std::fputs("the window is still in a move loop\n", stderr);
  return 3;
}

// --- Resources of a process -------------------------------------------------
// GetGuiResources is a stub under Wine. Wine keeps each process's GDI handle
// table where the PEB's GdiSharedHandleTable field points: 0x10000 entries
// of 24 bytes (object, owner, unique, type, flags, user pointer); a used
// entry has a non-zero type.
constexpr std::size_t kPebGdiTableOffset = 0xF8;  // 64-bit PEB
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;

long CountGdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0) return -1;
  ULONG_PTR table = 0;
  const auto* field = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress) + kPebGdiTableOffset;
  if (!::ReadProcessMemory(process, field, &table, sizeof(table), nullptr) || table == 0) return -1;
  std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &read)) {
    return -1;
  }
  long used = 0;
  for (std::size_t i = 0; i < read / kGdiEntrySize; ++i) used += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
  return used;
}

// The table layout is right when sixteen new brushes of this process count
// as sixteen more objects.
bool GdiCountWorks() {
  const long before = CountGdiObjects(::GetCurrentProcess());
  HBRUSH brushes[16];
  for (auto& b : brushes) b = ::CreateSolidBrush(RGB(1, 2, 3));
  const long during = CountGdiObjects(::GetCurrentProcess());
  for (auto& b : brushes) ::DeleteObject(b);
  return before >= 0 && during - before == 16 && CountGdiObjects(::GetCurrentProcess()) == before;
}

struct WindowCount {
  DWORD pid = 0;
  long count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowCount*>(context)->count;
  return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM context) {
  auto* c = reinterpret_cast<WindowCount*>(context);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != c->pid) return TRUE;
  ++c->count;
  ::EnumChildWindows(window, CountChild, context);
  return TRUE;
}

// Committed private memory, region by region (the counters of
// GetProcessMemoryInfo read zero under Wine).
unsigned long long PrivateBytes(HANDLE process) {
  unsigned long long total = 0;
  const unsigned char* at = nullptr;
  MEMORY_BASIC_INFORMATION region{};
  while (::VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region)) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const auto* next = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

// The process's kernel handles, from the system's handle list (the process
// handle count reads zero under Wine).
struct SystemHandle {
  ULONG ProcessId;
  UCHAR ObjectTypeNumber;
  UCHAR Flags;
  USHORT Handle;
  PVOID Object;
  ACCESS_MASK GrantedAccess;
};
struct SystemHandles {
  ULONG Count;
  SystemHandle Handles[1];
};
constexpr int kSystemHandleInformation = 16;

long HandleCount(DWORD pid) {
  std::vector<unsigned char> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation),
                                                     buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != 0) return -1;
    break;
  }
  const auto* list = reinterpret_cast<const SystemHandles*>(buffer.data());
  long count = 0;
  for (ULONG i = 0; i < list->Count; ++i) count += list->Handles[i].ProcessId == pid;
  return count;
}

int Measure(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return 1;
  if (!GdiCountWorks()) std::fputs("gdi table layout not as expected\n", stderr);
  WindowCount windows{pid, 0};
  ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&windows));
  std::printf("gdi %ld\nwindows %ld\nhandles %ld\nprivate %llu\n", CountGdiObjects(process), windows.count,
              HandleCount(pid), PrivateBytes(process));
  ::CloseHandle(process);
  return 0;
}

// --- Soak ----------------------------------------------------------------------

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &answer) != 0;
}

// A device-interface broadcast naming the mouse, as the system sends it.
struct MouseBroadcast {
  MouseBroadcast() : storage(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + sizeof(kPath)) {
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
    b->dbcc_size = static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof(kPath));
    b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(b->dbcc_name, kPath, sizeof(kPath));
  }
  LPARAM lParam() { return reinterpret_cast<LPARAM>(storage.data()); }
  static constexpr wchar_t kPath[] =
      L"\\\\?\\HID#VID_04D9&PID_A09E&MI_00#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  std::vector<unsigned char> storage;
};

int Soak(HWND window, unsigned long shows, unsigned long notes, unsigned long devices, const wchar_t* state) {
  constexpr UINT kTrayCallback = WM_USER + 1, kNotification = WM_USER + 2;
  ULONGLONG phaseStart = ::GetTickCount64();
  const auto phaseDone = [&](const char* what) {
    std::fprintf(stderr, "%s: %llu ms\n", what, ::GetTickCount64() - phaseStart);
    phaseStart = ::GetTickCount64();
  };
  for (unsigned long i = 0; i < shows; ++i) {
    if (!Send(window, kTrayCallback, 0, WM_LBUTTONUP) || !::IsWindowVisible(window)) {
      std::fprintf(stderr, "show %lu failed\n", i);
      return 1;
    }
    if (!Send(window, WM_CLOSE, 0, 0) || ::IsWindowVisible(window)) {
      std::fprintf(stderr, "hide %lu failed\n", i);
      return 1;
    }
  }
  phaseDone("show/hide");
  std::mt19937_64 random(6410);
  const unsigned long long types[] = {5, 7, 8, 9, 14, 15};
  for (unsigned long i = 0; i < notes; ++i) {
    // Mostly the types the utility knows, with values in and out of range;
    // now and then anything at all.
    const bool known = random() % 4 != 0;
    const WPARAM type = known ? types[random() % 6] : static_cast<WPARAM>(random());
    const LPARAM value = (random() % 2) ? static_cast<LPARAM>(random() % 12) - 1 : static_cast<LPARAM>(random());
    if (!Send(window, kNotification, type, value)) {
      std::fprintf(stderr, "notification %lu unanswered\n", i);
      return 1;
    }
  }
  phaseDone("notifications");
  const std::wstring away = std::wstring(state) + L".unplugged";
  MouseBroadcast broadcast;
  for (unsigned long i = 0; i < devices; ++i) {
    if (!::MoveFileExW(state, away.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      std::fprintf(stderr, "cannot unplug (error %lu)\n", static_cast<unsigned long>(::GetLastError()));
      return 1;
    }
    for (int k = 0; k < 4; ++k) Send(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, broadcast.lParam());
    // The rediscovery ran and found no mouse: the tray no longer shows the window.
    Send(window, kTrayCallback, 0, WM_LBUTTONUP);
    if (::IsWindowVisible(window)) {
      std::fprintf(stderr, "device cycle %lu: the window shows without a mouse\n", i);
      return 1;
    }
    if (!::MoveFileExW(away.c_str(), state, MOVEFILE_REPLACE_EXISTING)) {
      std::fprintf(stderr, "cannot plug in (error %lu)\n", static_cast<unsigned long>(::GetLastError()));
      return 1;
    }
    for (int k = 0; k < 4; ++k) Send(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, broadcast.lParam());
    Send(window, kTrayCallback, 0, WM_LBUTTONUP);
    if (!::IsWindowVisible(window) || !Send(window, WM_CLOSE, 0, 0)) {
      std::fprintf(stderr, "device cycle %lu: the mouse plugged in again was not found\n", i);
      return 1;
    }
  }
  phaseDone("device changes");
  return 0;
}

// The first visible window of the main window's process other than it: the
// open dialog.
BOOL CALLBACK FindPopup(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<PopupSearch*>(context);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || window == search->main || !::IsWindowVisible(window)) return TRUE;
  search->main = window;
  return FALSE;
}

// What Windows sends a window moved to a monitor of another scale: first
// WM_GETDPISCALEDSIZE, which asks the window its size at the new DPI (else
// the size scaled), then WM_DPICHANGED with the new DPI and a suggested
// rectangle of that size about the window's centre, kept on the screen. Both
// point into the receiver's memory, as when the system sends them. Prints
// "asked WxH" (the window's answer) or "asked none".
int DpiChanged(HWND target, UINT dpi) {
  RECT now{};
  ::GetWindowRect(target, &now);
  const UINT from = 96;  // the display's own, which a single monitor never leaves
  SIZE size{MulDiv(now.right - now.left, dpi, from), MulDiv(now.bottom - now.top, dpi, from)};
  DWORD pid = 0;
  ::GetWindowThreadProcessId(target, &pid);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return 1;
  void* there = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  DWORD_PTR answer = 0;
  SIZE asked{};
  const bool answered = there != nullptr && ::WriteProcessMemory(process, there, &size, sizeof(size), nullptr) &&
                        ::SendMessageTimeoutW(target, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi,
                                              reinterpret_cast<LPARAM>(there), SMTO_ABORTIFHUNG, 5000, &answer) &&
                        answer != 0 && ::ReadProcessMemory(process, there, &asked, sizeof(asked), nullptr);
  if (answered) {
    size = asked;
    std::printf("asked %ldx%ld\n", size.cx, size.cy);
  } else {
    std::printf("asked none\n");
  }
  const auto onScreen = [](int start, int length, int screen) { return std::max(0, std::min(start, screen - length)); };
  const int left = onScreen((now.left + now.right - size.cx) / 2, size.cx, ::GetSystemMetrics(SM_CXSCREEN));
  const int top = onScreen((now.top + now.bottom - size.cy) / 2, size.cy, ::GetSystemMetrics(SM_CYSCREEN));
  RECT suggested{left, top, left + size.cx, top + size.cy};
  const bool sent = there != nullptr && ::WriteProcessMemory(process, there, &suggested, sizeof(RECT), nullptr) &&
                    ::SendMessageTimeoutW(target, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there),
                                          SMTO_ABORTIFHUNG, 5000, &answer);
  if (there != nullptr) ::VirtualFreeEx(process, there, 0, MEM_RELEASE);
  ::CloseHandle(process);
  return sent ? 0 : 1;
}

int Usage() {
  std::fputs("usage: px_e2e_helper wait-window|absent|wait-visible|wait-hidden|state|send|post|key|pid ...\n", stderr);
  return 2;
}

}  // namespace

int Command(int argc, wchar_t** argv);

// Commands one a line on standard input, each answered as on its own (its
// output, then "exit N"): a script asks many questions without starting a
// process for each.
int Batch(const wchar_t* self) {
  char line[1024];
  while (std::fgets(line, sizeof(line), stdin) != nullptr) {
    std::vector<std::wstring> words{self};
    std::wstring word;
    for (const char* c = line; *c != '\0'; ++c) {
      if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\r') {
        if (!word.empty()) words.push_back(word);
        word.clear();
      } else {
        word.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
      }
    }
    if (!word.empty()) words.push_back(word);
    if (words.size() < 2 || words[1] == L"batch") continue;
    std::vector<wchar_t*> args;
    for (std::wstring& w : words) args.push_back(w.data());
    const int status = Command(static_cast<int>(args.size()), args.data());
    std::printf("exit %d\n", status);
    std::fflush(stdout);
  }
  return 0;
}

// The utility is per-monitor aware: the helper reads its windows in device
// pixels too (as the display shows them), not scaled down to 96 DPI.
static void ReadDevicePixels() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, "SetProcessDpiAwarenessContext") : nullptr;
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (found != nullptr) reinterpret_cast<SetContext>(reinterpret_cast<void*>(found))(reinterpret_cast<HANDLE>(-4));
}

int wmain(int argc, wchar_t** argv) {
  ReadDevicePixels();
  const int status = argc == 2 && std::wstring(argv[1]) == L"batch" ? Batch(argv[0]) : Command(argc, argv);
  // Said last: a process Wine loses on a busy machine can end with 1 too,
  // saying nothing, and the caller then asks again.
  std::fprintf(stderr, "answered %d\n", status);
  return status;
}

int Command(int argc, wchar_t** argv) {
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
  if (command == L"desktop") {
    // The first window of a fresh Wine session starts its desktop process,
    // which a busy machine now and then fails to start in time; a program
    // started then cannot make a window at all.
    HWND probe = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe != nullptr) ::DestroyWindow(probe);
    const bool tray = ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
    if (probe == nullptr || !tray) std::fputs(probe == nullptr ? "no window\n" : "no notification area\n", stderr);
    return probe != nullptr && tray ? 0 : 1;
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
  if (command == L"dpi-changed" && (argc == 3 || argc == 4)) {
    // dpi-changed DPI [popup]: to the main window, or to its open dialog.
    HWND target = window;
    if (argc == 4) {
      PopupSearch search{window, 0};
      ::GetWindowThreadProcessId(window, &search.pid);
      ::EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&search));
      if (search.main == window) return 1;
      target = search.main;
    }
    return DpiChanged(target, static_cast<UINT>(Number(argv[2])));
  }
  if (command == L"pid" && argc == 2) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    std::printf("%lu\n", static_cast<unsigned long>(pid));
    return 0;
  }
  if (command == L"windows" && argc == 2) {
    std::fputs(WindowTree(window).c_str(), stdout);
    return 0;
  }
  if (command == L"wait" && argc == 4) {
    const std::string pattern = Utf8(std::wstring(argv[3]));
    std::string listing;
    if (WaitFor(argv[2], [&] { return ListingHas(listing = WindowTree(window), pattern); })) return 0;
    std::fprintf(stderr, "no window listing line %s '%s' in time; the listing:\n%s", pattern[0] == '!' ? "without" : "with",
                 pattern.c_str(), listing.c_str());
    return 1;
  }
  if (command == L"settle" && argc == 3) return Settle(window, argv[2]);
  if (command == L"wait-active" && argc == 3) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    return WaitFor(argv[2], [&] {
             GUITHREADINFO info{};
             info.cbSize = sizeof(info);
             return ::GetGUIThreadInfo(thread, &info) && info.hwndActive == window && ::GetForegroundWindow() == window;
           })
               ? 0
               : 1;
  }
  if (command == L"wait-drag" && argc == 3) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    return WaitFor(argv[2], [&] {
             GUITHREADINFO info{};
             info.cbSize = sizeof(info);
             return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
           })
               ? 0
               : 1;
  }
  if (command == L"measure" && argc == 2) return Measure(window);
  if (command == L"soak" && argc == 6) {
    return Soak(window, std::wcstoul(argv[2], nullptr, 0), std::wcstoul(argv[3], nullptr, 0),
                std::wcstoul(argv[4], nullptr, 0), argv[5]);
  }
  if (command == L"boxes" && argc == 2) {
    BoxSearch search;
    ::GetWindowThreadProcessId(window, &search.pid);
    ::EnumWindows(ListBox, reinterpret_cast<LPARAM>(&search));
    return search.found == 0 ? 0 : 1;
  }
  return Usage();
}
