#pragma once
// The Linux utility's command line: the options scripts and tests use, in
// the words px6410ctl uses for the same things. Anything else gets one line
// that names it, and exit code 2, before any window exists.
#include <optional>
#include <string>
#include <vector>

#include "common/native_path.h"

namespace px {

struct UtilityOptions {
  // The simulated mouse whose memory is this file, instead of hidraw (no
  // file, no mouse).
  std::optional<NativePath> simulatedMouse;
  // The folder of config.bin and str.ini, instead of the usual one.
  std::optional<NativePath> settingsFolder;
};

struct CommandLine {
  enum class Action { Run, Print, Fail };
  Action action = Action::Run;
  UtilityOptions options;
  std::string output;  // Print: for stdout; Fail: for stderr
  int exitCode = 0;
};

// args[0] is the program's name. versionText is what --version prints.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& versionText);

}  // namespace px
