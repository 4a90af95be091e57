// Opens one small dialog over a window of its own and prints what it
// answered, for the end-to-end dialog tests (tests/wine/e2e_dialogs.sh):
//
//   px_dialog_runner KIND [--lang CODE] [--skin NAME] [--color R,G,B] [--variant N] [--state FILE] [--runs N]
//
// KIND is fire, hot, media, windows, snipe, single or skins (the whole skin
// flow, str.ini included). With --runs the dialog opens N times in a row in
// one process, one answer per line (what a kind keeps between openings). While the dialog runs, FILE is rewritten every
// 100 ms with the thread's windows and their controls, so that a script can
// find where to click and check what the dialog shows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/app_state.h"
#include "app/win32/skin_flow_win32.h"
#include "buttons/win32/parameter_dialogs.h"
#include "skin/skin_paths.h"
#include "storage/win32/win32_storage.h"

namespace px {
namespace {

std::wstring g_stateFile;
HWND g_host = nullptr;

std::string Utf8(const std::wstring& text) { return ToUtf8(Text(text.begin(), text.end())); }
std::string Utf8(const Text& text) { return ToUtf8(text); }

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return Utf8(std::wstring(name));
}

void DescribeChildren(HWND parent, std::ostringstream& out) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    out << "child " << ::GetDlgCtrlID(child) << ' ' << ClassOf(child) << ' ' << (::IsWindowVisible(child) ? 1 : 0)
        << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
    const std::string className = ClassOf(child);
    if (_stricmp(className.c_str(), "ListBox") == 0) {
      out << " count=" << ::SendMessageW(child, LB_GETCOUNT, 0, 0) << " top=" << ::SendMessageW(child, LB_GETTOPINDEX, 0, 0)
          << " sel=" << ::SendMessageW(child, LB_GETCURSEL, 0, 0)
          << " itemh=" << ::SendMessageW(child, LB_GETITEMHEIGHT, 0, 0);
    }
    out << " text=" << Utf8(winui::WindowText(child)) << '\n';
  }
}

BOOL CALLBACK DescribeWindow(HWND window, LPARAM param) {
  auto& out = *reinterpret_cast<std::ostringstream*>(param);
  if (window == g_host || !::IsWindowVisible(window)) return TRUE;
  RECT client{};
  ::GetClientRect(window, &client);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  RECT outer{};
  ::GetWindowRect(window, &outer);
  out << "window " << origin.x << ' ' << origin.y << ' ' << client.right << ' ' << client.bottom << ' '
      << (outer.right - outer.left) << ' ' << (outer.bottom - outer.top) << " title=" << Utf8(winui::WindowText(window))
      << '\n';
  DescribeChildren(window, out);
  return TRUE;
}

void WriteState() {
  if (g_stateFile.empty()) return;
  std::ostringstream out;
  ::EnumThreadWindows(::GetCurrentThreadId(), &DescribeWindow, reinterpret_cast<LPARAM>(&out));
  out << "end\n";
  const std::wstring temporary = g_stateFile + L".tmp";
  {
    std::ofstream file(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
    file << out.str();
  }
  ::MoveFileExW(temporary.c_str(), g_stateFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    WriteState();
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateHost() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &HostProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = L"PxDialogHost";
  ::RegisterClassW(&wc);
  HWND host = ::CreateWindowExW(0, wc.lpszClassName, L"px dialog host", WS_POPUP | WS_VISIBLE, 100, 100, 520, 380,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ::SetTimer(host, 1, 100, nullptr);
  return host;
}

std::string Line(const char* answer, std::int32_t index, const Text& text) {
  return std::string(answer) + " index=" + std::to_string(index) + " text=" + Utf8(text);
}

// One opening of the dialog; nothing for an unknown kind.
std::optional<std::string> RunOnce(const std::wstring& kind, const SkinnedDialogContext& context, TextView skin,
                                   std::uint8_t variant) {
  std::string result = "IDCANCEL";
  if (kind == L"fire") {
    if (auto c = RunFireKeyDialog(g_host, context)) {
      result = Line("IDOK", c->chosenIndex, c->chosenText) + " times=" + std::to_string(c->times) +
               " make=" + std::to_string(c->makeTime) + " break=" + std::to_string(c->breakTime);
    }
  } else if (kind == L"hot" || kind == L"media" || kind == L"windows" || kind == L"snipe") {
    std::optional<ListChoice> c = kind == L"hot"     ? RunHotKeyDialog(g_host, context)
                                  : kind == L"media" ? RunMediaDialog(g_host, context)
                                  : kind == L"windows" ? RunWindowsDialog(g_host, context)
                                                       : RunSnipeDialog(g_host, context, variant);
    if (c) result = Line("IDOK", c->chosenIndex, c->chosenText);
  } else if (kind == L"single") {
    if (auto c = RunSingleKeyDialog(g_host, context)) result = "IDOK key=" + Utf8(c->keyName);
  } else if (kind == L"skins") {
    AppState& state = TheAppState();
    state.SkinFolder = context.skinFolder;
    state.SkinName = Text(skin);
    state.TextColor = context.textColor;
    state.Settings.language = context.language;
    if (RunSkinFlow(g_host, state)) {
      result = "IDOK name=" + Utf8(state.SkinName) + " folder=" + Utf8(state.SkinFolder) + " color=" +
               std::to_string(state.TextColor.red) + "," + std::to_string(state.TextColor.green) + "," +
               std::to_string(state.TextColor.blue);
    }
  } else {
    return std::nullopt;
  }
  return result;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: px_dialog_runner KIND [--lang CODE] [--skin NAME] [--color R,G,B] [--variant N] [--state FILE]\n");
    return 2;
  }
  const std::wstring kind = argv[1];
  std::map<std::wstring, std::wstring> options;
  for (int i = 2; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  auto option = [&](const wchar_t* name, const wchar_t* fallback) {
    auto it = options.find(name);
    return it == options.end() ? std::wstring(fallback) : it->second;
  };
  g_stateFile = option(L"--state", L"");
  const std::wstring lang = option(L"--lang", L"EN");
  const std::wstring skin = option(L"--skin", L"Default");
  int r = 230, g = 230, b = 230;
  std::swscanf(option(L"--color", L"230,230,230").c_str(), L"%d,%d,%d", &r, &g, &b);
  const auto variant = static_cast<std::uint8_t>(std::wcstol(option(L"--variant", L"0").c_str(), nullptr, 10));

  const Text executable = RunningExecutablePath();
  SkinnedDialogContext context;
  context.skinFolder = SkinFolderFor(executable, Text(skin.begin(), skin.end()));
  context.language = LanguageFromCode(Text(lang.begin(), lang.end()));
  context.textColor = UiTextColor{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};

  g_host = CreateHost();
  const long runs = std::wcstol(option(L"--runs", L"1").c_str(), nullptr, 10);
  for (long run = 0; run < runs; ++run) {
    const std::optional<std::string> result = RunOnce(kind, context, Text(skin.begin(), skin.end()), variant);
    if (!result) {
      std::fprintf(stderr, "unknown dialog\n");
      return 2;
    }
    std::printf("%s\n", result->c_str());
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace
}  // namespace px

int wmain(int argc, wchar_t** argv) { return px::Run(argc, argv); }
