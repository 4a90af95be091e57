#include "installed.h"

#include "common/native_path.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/installed_folder.h"

namespace px::cli {

std::string InstalledConfigPath() {
  NativePath config = RunningExecutableFile().parent_path();
  config /= "config.bin";
  return ArgumentFromPath(config);
}

Language LanguageBeside(const std::string& configPath) {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), PathFromArgument(configPath)));
}

}  // namespace px::cli
