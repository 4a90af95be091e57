// px6410: the Linux utility's entry. The options are read before Qt starts,
// so that --help, --version and a wrong option need no display.
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/qt/utility_qt.h"
#include "px_version.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  const px::CommandLine line = px::ParseCommandLine(args, "px6410 " PX_VERSION_TEXT);
  if (line.action == px::CommandLine::Action::Print) {
    std::fputs(line.output.c_str(), stdout);
    return 0;
  }
  if (line.action == px::CommandLine::Action::Fail) {
    std::fputs(line.output.c_str(), stderr);
    return line.exitCode;
  }
  // Taken before Qt starts, which consumes the start's activation tokens.
  const px::ActivationToken startToken = px::QtSingleInstance::StartToken();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("px6410"));
  // Closing the window hides it; the program ends by its own exit.
  QApplication::setQuitOnLastWindowClosed(false);
  px::QtUtility utility(line.options, startToken);
  return utility.Run();
}
