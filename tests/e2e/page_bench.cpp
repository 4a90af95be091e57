// Benchmark of the settings page's drawing on a real window: BuildPage, one
// hover repaint, one level click and the rebuild after the skin chooser
// (every picture read again), each against one full-client BitBlt of the
// background measured in the same run. Prints medians in milliseconds and
// the ratios, then what the skin's pictures cost in memory. At a SCALE above 1
// the page is laid out and drawn at that many device pixels per layout pixel,
// as on a monitor at SCALE × 96 DPI, from the skin's @2x pictures.
// Usage: px_page_bench SKIN_FOLDER [RUNS] [SCALE]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "page_harness.h"
#include "skin/skin_image_set.h"

namespace px {
namespace {

using pagetest::Pump;

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

int Run(const std::wstring& skinFolderWide, int runs, double scale) {
  // A plain popup, so that the yardstick's copy is the same from run to run
  // of this benchmark, whatever the main window's style.
  pagetest::PageWindow w(Text(skinFolderWide.begin(), skinFolderWide.end()), WS_POPUP | WS_VISIBLE, scale);
  if (!w.Ready()) {
    std::fputs("no background in the skin folder\n", stderr);
    return 2;
  }
  SettingsPage& page = *w.page;
  page.BuildPage();

  const double blit = Median(runs, [&](int) {
    winui::WindowDc screen(w.window);
    winui::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    winui::SelectGuard select(memory.Get(), w.background.Handle());
    ::BitBlt(screen.Get(), 0, 0, w.background.Width(), w.background.Height(), memory.Get(), 0, 0, SRCCOPY);
    ::GdiFlush();
  });
  const double build = Median(runs, [&](int) {
    w.pageState = kPageRebuilding;
    page.TearDownPage();
    w.pageState = kPageNotBuilt;
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
  const double rebuild = Median(runs, [&](int) {
    DropSkinImages();  // the skin flow, then its rebuild
    page.Rebuild();
    ::GdiFlush();
  });
  std::printf("scale %.2f, client %d x %d\n", scale, w.background.Width(), w.background.Height());
  std::printf("full-client BitBlt  %8.3f ms  1.0\n", blit);
  std::printf("BuildPage           %8.3f ms  %.1f\n", build, build / blit);
  std::printf("hover repaint       %8.3f ms  %.1f\n", hover, hover / blit);
  std::printf("level click         %8.3f ms  %.1f\n", level, level / blit);
  std::printf("skin-change rebuild %8.3f ms  %.1f\n", rebuild, rebuild / blit);
  // Every picture a window draws from this skin (the backgrounds belong to
  // their windows, not to the cache).
  for (TextView name : kSkinImageSet) {
    if (name != skin_image::kMainBackground && !name.ends_with(u"-key.png") && name != skin_image::kSkinsBackground) {
      SkinImages().Get(SkinImagePath(w.skinFolder, name));
    }
  }
  std::printf("skin image cache: %zu pictures, %zu KiB\n", SkinImages().Count(), SkinImages().Bytes() / 1024);
  return 0;
}

}  // namespace
}  // namespace px

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: px_page_bench SKIN_FOLDER [RUNS] [SCALE]\n", stderr);
    return 2;
  }
  const double scale = argc > 3 ? _wtof(argv[3]) : 1.0;
  if (!(scale >= 1.0 && scale <= 4.0)) {
    std::fputs("px_page_bench: SCALE is a number from 1 to 4\n", stderr);
    return 2;
  }
  return px::Run(argv[1], argc > 2 ? _wtoi(argv[2]) : 41, scale);
}
