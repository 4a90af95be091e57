#include "app/command_line.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <system_error>

namespace px {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDescription =
    "px6410: the settings of the PX6410 gaming mouse in one window, behind an icon in the\n"
    "notification area (without one, the window shows at start and closing it ends the program).\n"
    "A second start shows the running one's window.";

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
  CLI::App app(kDescription, "px6410");
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
    result.output = app.help();
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
