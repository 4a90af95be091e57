// Benchmark of the settings page's drawing in the Linux window on a real
// display: BuildPage, one hover repaint and one level click, each against one
// full-window copy of the canvas measured in the same run. Prints medians in
// milliseconds and the ratios. On a scaled screen (QT_SCALE_FACTOR=2) the
// canvas is at device pixels and the pictures are the doubled ones, as in
// the program. Usage: px_page_bench_qt SKIN_FOLDER [RUNS]
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "../e2e/idle_page_ports.h"
#include "page/qt/page_view_qt.h"
#include "page/settings_page.h"
#include "skin/qt/canvas_qt.h"
#include "skin/qt/skin_images_qt.h"
#include "skin/qt/ui_font_qt.h"
#include "skin/skin_paths.h"

namespace px {
namespace {

// The main window's painting: the canvas in one copy.
class CanvasWindow final : public QWidget {
 public:
  explicit CanvasWindow(const QImage& canvas) : canvas_(canvas) {
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, canvas_); }

 private:
  const QImage& canvas_;
};

template <typename Action>
double Median(int runs, Action action) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    action(i);
    // Everything sent reaches the display before the clock stops.
    QGuiApplication::sync();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

int Run(const Text& skinFolder, int runs) {
  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  QImage canvas = LoadBackgroundCanvasQt(SkinImagePath(skinFolder, u"/main.png"), kMainWindowFrameExtent, ratio);
  if (canvas.isNull()) {
    std::fputs("no background in the skin folder\n", stderr);
    return 2;
  }
  CanvasWindow window(canvas);
  window.setFixedSize(LogicalSizeQt(canvas));
  window.show();
  QCoreApplication::processEvents();

  SettingsSession session;
  session.model.ReportRateCode = 1;
  session.model.DpiLevel = {1, 3, 5, 7};
  session.model.DpiStageEnabled = {1, 1, 1, 1};
  session.model.LightMode = 1;
  session.firstRunFlag = 1;
  session.labels.fill(u"Left Click");
  int pageState = kPageNotBuilt;
  bool builtOnce = false;
  const UiTextColor textColor{230, 232, 240};
  const QFont body = UiFontQt(Language::English, FontRole::Body);
  const QFont heading = UiFontQt(Language::English, FontRole::Heading);
  PageQtView view(window, {canvas, skinFolder, textColor, body, heading, session.model}, {});
  NoCommands commands;
  testing::MemoryProfileStore store;
  ScriptedDialogs dialogs;
  SettingsPage page(session, {pageState, builtOnce}, store, view, commands, dialogs);
  page.BuildPage();

  const double copy = Median(runs, [&](int) { window.repaint(); });
  const double build = Median(runs, [&](int) {
    pageState = kPageRebuilding;
    page.TearDownPage();
    pageState = kPageNotBuilt;
    page.BuildPage();
  });
  const double hover = Median(runs, [&](int i) {
    page.OnPageHover(i % 2 == 0 ? Point{600, 630} : Point{700, 630});  // OK, then Apply, each over
  });
  const double level = Median(runs, [&](int i) {
    page.DispatchClick(i % 2 == 0 ? Point{560, 470} : Point{560, 434});  // stage 1, levels 3 and 5
  });
  std::printf("device pixel ratio  %.2f, canvas %dx%d\n", ratio, canvas.width(), canvas.height());
  std::printf("full-window copy    %8.3f ms  1.0\n", copy);
  std::printf("BuildPage           %8.3f ms  %.1f\n", build, build / copy);
  std::printf("hover repaint       %8.3f ms  %.1f\n", hover, hover / copy);
  std::printf("level click         %8.3f ms  %.1f\n", level, level / copy);
  return 0;
}

}  // namespace
}  // namespace px

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: px_page_bench_qt SKIN_FOLDER [RUNS]\n", stderr);
    return 2;
  }
  return px::Run(px::FromUtf8(argv[1]), argc > 2 ? std::atoi(argv[2]) : 41);
}
