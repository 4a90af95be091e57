#include "app/command_line.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <system_error>

namespace px {
namespace {

namespace fs = std::filesystem;

// In the shape of px6410ctl's help, from which the manual page is made.
constexpr const char* kHelp =
    "px6410 - the PX6410 gaming mouse's settings page behind a tray icon\n"
    "usage: px6410 [--sim STATE.BIN] [--settings-dir DIR]\n"
    "  px6410 --help\n"
    "  px6410 --version\n"
    "\n"
    "One page sets the mouse's four buttons in two modes, its report rate, DPI stages and\n"
    "lighting; OK and Apply send them to the mouse and save them, Cancel drops the edits.\n"
    "With a notification area the page waits behind its icon: left click shows it, right\n"
    "click offers Exit. Without one the page shows at start and closing it ends the program.\n"
    "Starting px6410 again brings the running one's page to the front.\n"
    "\n"
    "OPTIONS\n"
    "  --sim STATE.BIN     a simulated mouse whose 322-byte memory is STATE.BIN (no file, no\n"
    "                      mouse: moving the file away and back unplugs and plugs the mouse)\n"
    "  --settings-dir DIR  the folder of config.bin and str.ini, taken as it is\n"
    "  --help              this text\n"
    "  --version           the version\n"
    "\n"
    "FILES\n"
    "  config.bin, str.ini  beside the executable when a config.bin is there, else\n"
    "                       $XDG_CONFIG_HOME/px6410 (~/.config/px6410), made with the\n"
    "                       installed defaults at the first start\n"
    "  Skins/               beside the executable when there, else the installed skins\n"
    "\n"
    "EXIT STATUS\n"
    "  0  ended by Exit or the close button, or another px6410 runs and was asked to show\n"
    "     its page\n"
    "  1  the settings folder could not be made or filled\n"
    "  2  a wrong option\n";

// A state file may be missing (no mouse), but not a folder, and its folder
// must exist: the file coming and going there is the mouse being plugged.
std::string CheckStateFile(const std::string& value) {
  if (value.empty()) return "no file named";
  const NativePath path = PathFromArgument(value);
  std::error_code ec;
  if (fs::is_directory(path, ec)) return value + " is a folder, not a state file";
  const NativePath folder = path.has_parent_path() ? path.parent_path() : NativePath(".");
  if (!fs::is_directory(folder, ec)) return "the folder of " + value + " does not exist";
  return {};
}

std::string CheckSettingsFolder(const std::string& value) {
  if (value.empty()) return "no folder named";
  std::error_code ec;
  const NativePath path = PathFromArgument(value);
  if (!fs::exists(path, ec)) return value + " does not exist";
  if (!fs::is_directory(path, ec)) return value + " is not a folder";
  return {};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& versionText) {
  CommandLine result;
  CLI::App app("", "px6410");
  app.set_help_flag("-h,--help");
  std::string sim, settings;
  app.add_option("--sim", sim, "a simulated mouse whose memory is this 322-byte file, instead of the real one "
                               "(no file, no mouse: removing and restoring it unplugs and plugs the mouse)")
      ->type_name("STATE.BIN")
      ->check(CheckStateFile);
  app.add_option("--settings-dir", settings, "the folder of config.bin and str.ini")
      ->type_name("DIR")
      ->check(CheckSettingsFolder);
  app.set_version_flag("--version", versionText);

  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp&) {
    result.action = CommandLine::Action::Print;
    result.output = kHelp;
    return result;
  } catch (const CLI::CallForVersion& version) {
    result.action = CommandLine::Action::Print;
    result.output = std::string(version.what()) + "\n";
    return result;
  } catch (const CLI::ParseError& error) {
    result.action = CommandLine::Action::Fail;
    result.exitCode = 2;
    result.output = "px6410: " + std::string(error.what()) + "\nRun px6410 --help for the options.\n";
    return result;
  }
  if (app.count("--sim") > 0) result.options.simulatedMouse = PathFromArgument(sim);
  if (app.count("--settings-dir") > 0) result.options.settingsFolder = PathFromArgument(settings);
  return result;
}

}  // namespace px
