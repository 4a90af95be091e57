// Benchmark of the settings page's drawing on a real window: BuildPage, one
// hover repaint and one level click, each against one full-client BitBlt of
// the background measured in the same run. Prints medians in milliseconds and
// the ratios. Usage: px_page_bench SKIN_FOLDER [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "page/settings_page.h"
#include "page/win32/page_view_win32.h"
#include "skin/skin_paths.h"
#include "skin/win32/skin_draw.h"

namespace px {
namespace {

class NoCommands final : public PageCommands {
 public:
  void Ok() override {}
  void Apply() override {}
  void Cancel() override {}
  void Minimise() override {}
  void Close() override {}
  void RunSkinFlow() override {}
};

// The benchmark never chooses in a button list.
class NoDialogs final : public ParameterDialogPort {
 public:
  std::optional<DialogChoice> Run(std::uint8_t) override { return std::nullopt; }
};

class NoStore final : public ProfileStore {
 public:
  Text Read(TextView, TextView) override { return {}; }
  bool Write(TextView, TextView, TextView) override { return true; }
};

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Action>
double Median(int runs, Action action) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    Pump();
    const double start = Now();
    action(i);
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int Run(const std::wstring& skinFolderWide, int runs) {
  const Text skinFolder(skinFolderWide.begin(), skinFolderWide.end());
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PxPageBench";
  ::RegisterClassW(&windowClass);
  BackgroundBitmap background;
  if (!background.Load(SkinImagePath(skinFolder, u"/main.png"))) {
    std::fputs("no background in the skin folder\n", stderr);
    return 2;
  }
  HWND window = ::CreateWindowExW(0, L"PxPageBench", L"page bench", WS_POPUP | WS_VISIBLE, 0, 0, background.Width(),
                                  background.Height(), nullptr, nullptr, windowClass.hInstance, nullptr);
  Pump();

  SettingsSession session;
  session.model.ReportRateCode = 1;
  session.model.DpiLevel = {1, 3, 5, 7};
  session.model.DpiStageEnabled = {1, 1, 1, 1};
  session.model.LightMode = 1;
  session.firstRunFlag = 1;
  session.labels.fill(u"Left Click");
  int pageState = kPageNotBuilt;
  bool builtOnce = false;
  HBITMAP canvas = background.Handle();
  const UiTextColor textColor{230, 232, 240};
  winui::UniqueFont body = CreateUiFont(Language::English, FontRole::Body);
  winui::UniqueFont heading = CreateUiFont(Language::English, FontRole::Heading);
  PageWin32View view(window, {canvas, skinFolder, textColor, body, heading, session.model});
  NoCommands commands;
  NoStore store;
  NoDialogs dialogs;
  SettingsPage page(session, {pageState, builtOnce}, store, view, commands, dialogs);
  page.BuildPage();

  const double blit = Median(runs, [&](int) {
    winui::WindowDc screen(window);
    winui::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    winui::SelectGuard select(memory.Get(), canvas);
    ::BitBlt(screen.Get(), 0, 0, background.Width(), background.Height(), memory.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  });
  const double build = Median(runs, [&](int) {
    pageState = kPageRebuilding;
    page.TearDownPage();
    pageState = kPageNotBuilt;
    page.BuildPage();
    ::GdiFlush();
  });
  const double hover = Median(runs, [&](int i) {
    page.OnPageHover(i % 2 == 0 ? Point{600, 630} : Point{700, 630});  // OK, then Apply, each over
    ::GdiFlush();
  });
  const double level = Median(runs, [&](int i) {
    page.DispatchClick(i % 2 == 0 ? Point{560, 470} : Point{560, 434});  // stage 1, levels 3 and 5
    ::GdiFlush();
  });
  std::printf("full-client BitBlt  %8.3f ms  1.0\n", blit);
  std::printf("BuildPage           %8.3f ms  %.1f\n", build, build / blit);
  std::printf("hover repaint       %8.3f ms  %.1f\n", hover, hover / blit);
  std::printf("level click         %8.3f ms  %.1f\n", level, level / blit);
  ::DestroyWindow(window);
  return 0;
}

}  // namespace
}  // namespace px

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: px_page_bench SKIN_FOLDER [RUNS]\n", stderr);
    return 2;
  }
  return px::Run(argv[1], argc > 2 ? _wtoi(argv[2]) : 41);
}
