// Opens the small dialogs over a window of its own and prints what each
// answered, for the end-to-end dialog tests (tests/wine/e2e_dialogs.sh and
// e2e_dialog_looks.sh):
//
//   px_dialog_runner KIND [--lang CODE] [--skin NAME] [--color R,G,B] [--variant N] [--runs N] [--state FILE]
//   px_dialog_runner - [--state FILE]
//
// KIND is fire, hot, media, windows, snipe, single or skins (the whole skin
// flow, str.ini included). With --runs the dialog opens N times in a row in
// one process (what a kind keeps between openings). With "-" the openings come
// from standard input, one a line ("KIND [options]"), each once the previous
// one has ended, until the input ends: one process serves a whole test, as
// the utility's one process serves all its openings. One answer a line.
//
// FILE lists the thread's visible windows and their controls. It is rewritten
// whenever the listing changes (looked at every 15 ms while a dialog runs),
// headed by "run N KIND" while the N-th opening runs or "idle N" after N
// answers, then "pong P": a script that writes P into FILE.ping sees
// "pong P" once the thread has handled every input and message it had by
// then, so the listing that comes with it shows what the script's clicks and
// keys made of the dialog.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/dialog_settings.h"
#include "app/skin_flow.h"
#include "buttons/dialog_controllers.h"
#include "buttons/win32/parameter_dialogs.h"
#include "skin/skin_chooser_controller.h"
#include "skin/skin_paths.h"
#include "skin/win32/skin_picture.h"
#include "skin/win32/skinned_dialog.h"
#include "skin/win32/skins_dialog.h"
#include "storage/executable_path.h"
#include "storage/settings_paths.h"
#include "storage/win32/win32_file_system.h"
#include "storage/win32/win32_profile_store.h"

namespace px {
namespace {

std::wstring g_stateFile;
HWND g_host = nullptr;
std::string g_head = "idle 0";  // what the state says first
std::string g_pong = "0";       // the last ping answered
std::string g_written;          // what the state file holds

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

// Whether input or posted messages wait for the thread. Asking makes Wine
// first take in what the display has sent, so a click or key the X server
// has delivered counts even before it reaches the queue.
bool MessagesWaiting() { return HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0; }

std::string ReadPing() {
  std::ifstream file(std::filesystem::path(g_stateFile + L".ping"), std::ios::binary);
  std::string ping;
  std::getline(file, ping);
  while (!ping.empty() && (ping.back() == '\r' || ping.back() == ' ')) ping.pop_back();
  return ping;
}

// Rewrites FILE when what it would say has changed. A timer message comes
// only when no input, posted message or paint is waiting, so a ping seen
// here is answered after everything that came before it.
void UpdateState() {
  if (g_stateFile.empty()) return;
  const std::string ping = ReadPing();
  if (!ping.empty() && ping != g_pong && !MessagesWaiting()) g_pong = ping;
  std::ostringstream out;
  out << g_head << "\npong " << g_pong << '\n';
  ::EnumThreadWindows(::GetCurrentThreadId(), &DescribeWindow, reinterpret_cast<LPARAM>(&out));
  out << "end\n";
  if (out.str() == g_written) return;
  g_written = out.str();
  const std::wstring temporary = g_stateFile + L".tmp";
  {
    std::ofstream file(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
    file << g_written;
  }
  ::MoveFileExW(temporary.c_str(), g_stateFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void SetHead(std::string head) {
  g_head = std::move(head);
  UpdateState();
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    UpdateState();
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
  ::SetTimer(host, 1, 15, nullptr);
  return host;
}

std::string Line(const char* answer, std::int32_t index, const Text& text) {
  return std::string(answer) + " index=" + std::to_string(index) + " text=" + Utf8(text);
}

// One opening of the dialog; nothing for an unknown kind.
std::optional<std::string> RunOnce(const std::wstring& kind, const DialogContext& context, TextView skin,
                                   std::uint8_t variant) {
  std::string result = "IDCANCEL";
  Win32DialogWindows windows(g_host);
  const std::map<std::wstring, DialogKind> lists{{L"hot", DialogKind::HotKey},
                                                 {L"media", DialogKind::Media},
                                                 {L"windows", DialogKind::Windows},
                                                 {L"snipe", DialogKind::Snipe}};
  if (kind == L"fire") {
    if (auto c = RunFireKeyDialog(*windows.NewDialog(DialogKind::FireKey), context)) {
      result = Line("IDOK", c->chosenIndex, c->chosenText) + " times=" + std::to_string(c->times) +
               " make=" + std::to_string(c->makeTime) + " break=" + std::to_string(c->breakTime);
    }
  } else if (lists.count(kind) != 0) {
    const DialogKind listKind = lists.at(kind);
    if (auto c = RunListDialog(*windows.NewDialog(listKind), listKind, context, variant)) {
      result = Line("IDOK", c->chosenIndex, c->chosenText);
    }
  } else if (kind == L"single") {
    if (auto c = RunSingleKeyDialog(*windows.NewDialog(DialogKind::Single), context)) {
      result = "IDOK key=" + Utf8(c->keyName);
    }
  } else if (kind == L"skins") {
    AppState state;
    state.SkinFolder = context.skinFolder;
    state.SkinName = Text(skin);
    state.TextColor = context.textColor;
    state.Settings.language = context.language;
    const Text executable = RunningExecutablePath();
    Win32FolderSearch search;
    Win32FileSystem files;
    WindowedSkinChooser chooser(windows, SkinsRootFor(executable), search, files);
    if (const std::optional<SkinChoice> choice = chooser.Run(DialogContextOf(state), state.SkinName)) {
      Win32ProfileStore store(BuildSettingsPaths(executable).iniFile);
      ApplySkinChoice(state, store, *choice);
      // Chosen again, even the same skin is read afresh, as the page's rebuild does.
      DropSkinImages();
      result = "IDOK name=" + Utf8(state.SkinName) + " folder=" + Utf8(state.SkinFolder) + " color=" +
               std::to_string(state.TextColor.red) + "," + std::to_string(state.TextColor.green) + "," +
               std::to_string(state.TextColor.blue);
    }
  } else {
    return std::nullopt;
  }
  return result;
}

using Options = std::map<std::wstring, std::wstring>;

// "--name value" pairs from FIRST on; a name without a value is left out.
Options ParseOptions(const std::vector<std::wstring>& words, std::size_t first) {
  Options options;
  for (std::size_t i = first; i + 1 < words.size(); i += 2) options[words[i]] = words[i + 1];
  return options;
}

std::wstring Option(const Options& options, const wchar_t* name, const wchar_t* fallback) {
  auto it = options.find(name);
  return it == options.end() ? std::wstring(fallback) : it->second;
}

// One opening as the options describe it; its answer, or nothing for an
// unknown kind.
std::optional<std::string> Open(const std::wstring& kind, const Options& options) {
  const std::wstring lang = Option(options, L"--lang", L"EN");
  const std::wstring skin = Option(options, L"--skin", L"Default");
  int r = 230, g = 230, b = 230;
  std::swscanf(Option(options, L"--color", L"230,230,230").c_str(), L"%d,%d,%d", &r, &g, &b);
  const auto variant = static_cast<std::uint8_t>(std::wcstol(Option(options, L"--variant", L"0").c_str(), nullptr, 10));

  const Text executable = RunningExecutablePath();
  DialogContext context;
  context.skinFolder = SkinFolderFor(executable, Text(skin.begin(), skin.end()));
  context.language = LanguageFromCode(Text(lang.begin(), lang.end()));
  context.textColor = UiTextColor{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
  return RunOnce(kind, context, Text(skin.begin(), skin.end()), variant);
}

void Answer(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// The next line of standard input split at blanks; nothing at its end.
std::optional<std::vector<std::wstring>> ReadOpening() {
  char line[4096];
  if (std::fgets(line, sizeof line, stdin) == nullptr) return std::nullopt;
  wchar_t wide[4096] = {};
  ::MultiByteToWideChar(CP_UTF8, 0, line, -1, wide, 4096);
  std::wistringstream words(wide);
  std::vector<std::wstring> result;
  for (std::wstring word; words >> word;) result.push_back(word);
  return result;
}

int Run(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: px_dialog_runner KIND [--lang CODE] [--skin NAME] [--color R,G,B] [--variant N] [--runs N] "
                 "[--state FILE]\n       px_dialog_runner - [--state FILE]   (openings on standard input)\n");
    return 2;
  }
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const Options options = ParseOptions(args, 1);
  g_stateFile = Option(options, L"--state", L"");
  g_host = CreateHost();
  UpdateState();

  if (args[0] != L"-") {
    const long runs = std::wcstol(Option(options, L"--runs", L"1").c_str(), nullptr, 10);
    for (long run = 1; run <= runs; ++run) {
      SetHead("run " + std::to_string(run) + " " + Utf8(args[0]));
      const std::optional<std::string> result = Open(args[0], options);
      if (!result) {
        std::fprintf(stderr, "unknown dialog\n");
        return 2;
      }
      Answer(*result);
      SetHead("idle " + std::to_string(run));
    }
    return 0;
  }
  long answered = 0;
  while (const std::optional<std::vector<std::wstring>> words = ReadOpening()) {
    if (words->empty()) continue;
    SetHead("run " + std::to_string(answered + 1) + " " + Utf8((*words)[0]));
    const std::optional<std::string> result = Open((*words)[0], ParseOptions(*words, 1));
    Answer(result.value_or("unknown dialog"));
    SetHead("idle " + std::to_string(++answered));
  }
  return 0;
}

}  // namespace
}  // namespace px

int wmain(int argc, wchar_t** argv) { return px::Run(argc, argv); }
