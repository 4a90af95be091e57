// Opens one small dialog of the Linux utility over a window of its own and
// prints what it answered, for the end-to-end dialog tests (tests/linux/dialogs*.sh):
//
//   px_dialog_runner_qt KIND [--lang CODE] [--skin NAME] [--color R,G,B] [--variant N] [--state FILE] [--runs N]
//
// KIND is fire, hot, media, windows, snipe, single or skins (the whole skin
// flow, str.ini beside the runner included). With --runs the dialog opens N
// times in a row in one process, one answer per line. While a dialog runs,
// FILE is rewritten every 100 ms with the visible windows and their controls
// in the form the Windows runner writes, so that a script can find where to
// click and check what the dialog shows.
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/skin_flow.h"
#include "buttons/dialog_controllers.h"
#include "buttons/qt/parameter_dialogs_qt.h"
#include "skin/qt/dialog_view_qt.h"
#include "skin/skin_chooser_controller.h"
#include "skin/skin_paths.h"
#include "storage/ini_file_store.h"
#include "storage/str_ini.h"

namespace px {
namespace {

Text FromQ(const QString& text) { return Text(reinterpret_cast<const char16_t*>(text.utf16()), text.size()); }
std::string Utf8(const Text& text) { return ToUtf8(text); }

QString TextOf(QWidget* widget) {
  if (widget->property("pxText").isValid()) return widget->property("pxText").toString();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

void DescribeChild(QWidget* window, QWidget* child, int id, const QString& kind, QTextStream& out) {
  const QPoint at = child->mapTo(window, QPoint(0, 0));
  out << "child " << id << ' ' << kind << " 1 " << at.x() << ' ' << at.y() << ' ' << at.x() + child->width() << ' '
      << at.y() + child->height();
  if (auto* list = qobject_cast<QListWidget*>(child)) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    out << " count=" << list->count() << " top=" << list->verticalScrollBar()->value()
        << " sel=" << (selected.isEmpty() ? -1 : list->row(selected.front()))
        << " itemh=" << list->visualItemRect(list->item(0)).height();
  }
  out << " text=" << TextOf(child).replace('\n', ' ') << '\n';
}

void DescribeWindow(QWidget* window, QTextStream& out) {
  const QPoint origin = window->mapToGlobal(QPoint(0, 0));
  out << "window " << origin.x() << ' ' << origin.y() << ' ' << window->width() << ' ' << window->height() << ' '
      << window->frameGeometry().width() << ' ' << window->frameGeometry().height()
      << " title=" << window->windowTitle() << '\n';
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    out << "child 0 Static 1 0 0 0 0 text=" << box->text() << '\n';
    return;
  }
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    if (child->property("pxControlId").isValid()) {
      DescribeChild(window, child, child->property("pxControlId").toInt(),
                    child->property("pxControlClass").toString(), out);
    } else if (dynamic_cast<QtDialogView*>(window) == nullptr) {
      // The system's own dialogs (the colour chooser): every part by its class.
      DescribeChild(window, child, 0, QString::fromLatin1(child->metaObject()->className()), out);
    }
  }
}

QString g_stateFile;
QWidget* g_host = nullptr;

void WriteState() {
  if (g_stateFile.isEmpty()) return;
  QString text;
  QTextStream out(&text);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != g_host && window->isVisible()) DescribeWindow(window, out);
  }
  out << "end\n";
  out.flush();
  QSaveFile file(g_stateFile);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(text.toUtf8());
  file.commit();
}

std::string Line(const char* answer, std::int32_t index, const Text& text) {
  return std::string(answer) + " index=" + std::to_string(index) + " text=" + Utf8(text);
}

struct Options {
  std::string kind;
  DialogContext context;
  Text skin;
  std::uint8_t variant = 0;
  Text executable;
};

// One opening of the dialog; nothing for an unknown kind.
std::optional<std::string> RunOnce(const Options& o) {
  std::string result = "IDCANCEL";
  QtDialogWindows windows(g_host);
  const std::map<std::string, DialogKind> lists{{"hot", DialogKind::HotKey},
                                                {"media", DialogKind::Media},
                                                {"windows", DialogKind::Windows},
                                                {"snipe", DialogKind::Snipe}};
  if (o.kind == "fire") {
    if (auto c = RunFireKeyDialog(*windows.NewDialog(DialogKind::FireKey), o.context)) {
      result = Line("IDOK", c->chosenIndex, c->chosenText) + " times=" + std::to_string(c->times) +
               " make=" + std::to_string(c->makeTime) + " break=" + std::to_string(c->breakTime);
    }
  } else if (lists.count(o.kind) != 0) {
    const DialogKind kind = lists.at(o.kind);
    if (auto c = RunListDialog(*windows.NewDialog(kind), kind, o.context, o.variant)) {
      result = Line("IDOK", c->chosenIndex, c->chosenText);
    }
  } else if (o.kind == "single") {
    if (auto c = RunSingleKeyDialog(*windows.NewDialog(DialogKind::Single), o.context)) {
      result = "IDOK key=" + Utf8(c->keyName);
    }
  } else if (o.kind == "skins") {
    AppState state;
    state.SkinFolder = o.context.skinFolder;
    state.SkinName = o.skin;
    state.TextColor = o.context.textColor;
    StdFolderSearch search;
    WindowedSkinChooser chooser(windows, SkinsRootFor(o.executable), search, SystemFileSystem());
    if (const std::optional<SkinChoice> choice = chooser.Run(o.context, o.skin)) {
      IniFileStore store(SystemFileSystem(), PathFromText(ExecutableFolder(o.executable) + u"str.ini"));
      ApplySkinChoice(state, store, *choice);
      result = "IDOK name=" + Utf8(state.SkinName) + " folder=" + Utf8(state.SkinFolder) + " color=" +
               std::to_string(state.TextColor.red) + "," + std::to_string(state.TextColor.green) + "," +
               std::to_string(state.TextColor.blue);
    }
  } else {
    return std::nullopt;
  }
  return result;
}

int Run(QApplication& app) {
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: px_dialog_runner_qt KIND [--lang CODE] [--skin NAME] [--color R,G,B] "
                         "[--variant N] [--state FILE] [--runs N]\n");
    return 2;
  }
  std::map<QString, QString> options;
  for (qsizetype i = 2; i + 1 < args.size(); i += 2) options[args[i]] = args[i + 1];
  auto option = [&](const char* name, const char* fallback) {
    auto it = options.find(QString::fromLatin1(name));
    return it == options.end() ? QString::fromLatin1(fallback) : it->second;
  };
  g_stateFile = option("--state", "");
  Options o;
  o.kind = args[1].toStdString();
  o.executable = FromQ(QCoreApplication::applicationFilePath());
  o.skin = FromQ(option("--skin", "Default"));
  const QStringList rgb = option("--color", "230,230,230").split(',');
  const auto byte = [&](int i) { return static_cast<std::uint8_t>(rgb.value(i).toInt()); };
  o.context = DialogContext{SkinFolderFor(o.executable, o.skin), LanguageFromCode(FromQ(option("--lang", "EN"))),
                            UiTextColor{byte(0), byte(1), byte(2)}};
  o.variant = static_cast<std::uint8_t>(option("--variant", "0").toInt());

  QWidget host;
  host.setWindowTitle(QStringLiteral("px dialog host"));
  host.setWindowFlags(Qt::FramelessWindowHint);
  QPalette grey = host.palette();
  grey.setColor(QPalette::Window, Qt::gray);
  host.setPalette(grey);
  host.setAutoFillBackground(true);
  host.setGeometry(100, 100, 520, 380);
  host.show();
  g_host = &host;
  QTimer state;
  QObject::connect(&state, &QTimer::timeout, &WriteState);
  state.start(100);

  const int runs = option("--runs", "1").toInt();
  for (int run = 0; run < runs; ++run) {
    const std::optional<std::string> result = RunOnce(o);
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

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return px::Run(app);
}
