// px6410ctl autostart on|off|status: the utility started at login, for this
// user, only when asked.
#include <ostream>

#include "cli.h"
#include "common/text.h"
#include "storage/autostart.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"

namespace px::cli {

namespace {

int Report(Context& ctx, FileSystem& files, const AutostartAnswer& answer) {
  using S = AutostartAnswer::Status;
  const std::string why = answer.error != 0 ? ": " + files.ErrorText(answer.error) : std::string();
  switch (answer.status) {
    case S::Ok: break;
    case S::NoFolder: return UsageError(ctx, "autostart: no absolute XDG_CONFIG_HOME or HOME to keep the entry in");
    case S::NoUtility: return UsageError(ctx, "autostart: " + answer.target + " is not there; nothing changed");
    case S::BadPath:
      return UsageError(ctx, "autostart: the path " + answer.target + " cannot be written into the entry; nothing changed");
    case S::NotOurs:
      return UsageError(ctx, "autostart: " + answer.where + " was not written by px6410ctl; left as it is" + why);
    case S::Failed: return UsageError(ctx, "autostart: " + answer.where + ": cannot change it" + why);
  }
  ctx.out << (answer.state == AutostartState::On ? "on " : "off ") << answer.where << '\n';
  if (answer.state == AutostartState::On && !answer.target.empty()) ctx.out << "starts " << answer.target << '\n';
  return kExitOk;
}

#ifdef _WIN32
constexpr char16_t kUtilityFile[] = u"PX6410-3-4.exe";

AutostartAnswer Run(const std::string& what, FileSystem& files) {
  RunKey& key = SystemRunKey();
  if (what == "status") return WindowsAutostartStatus(key);
  if (what == "off") return WindowsAutostartOff(key);
  const Text tool = RunningExecutablePath();
  const std::size_t slash = tool.find_last_of(u"\\/");
  const Text utility = (slash == Text::npos ? Text() : tool.substr(0, slash + 1)) + kUtilityFile;
  return WindowsAutostartOn(key, files, RunningExecutableFile().parent_path() / kUtilityFile, utility);
}
#else
AutostartAnswer Run(const std::string& what, FileSystem& files) {
  const SettingsEnvironment env = SystemSettingsEnvironment();
  if (what == "status") return LinuxAutostartStatus(files, env);
  if (what == "off") return LinuxAutostartOff(files, env);
  return LinuxAutostartOn(files, SystemFolderMaker(), env);
}
#endif

}  // namespace

int CmdAutostart(Context& ctx) {
  if (ctx.args.size() != 1 || (ctx.args[0] != "on" && ctx.args[0] != "off" && ctx.args[0] != "status")) {
    return UsageError(ctx, "usage: autostart on|off|status");
  }
  FileSystem& files = SystemFileSystem();
  return Report(ctx, files, Run(ctx.args[0], files));
}

}  // namespace px::cli
