#include "installed.h"

#include "common/native_path.h"
#include "storage/executable_path.h"
#include "storage/file_system.h"
#include "storage/installed_folder.h"

namespace px::cli {

std::string InstalledConfigPath() {
  NativePath config = RunningExecutableFile().parent_path();
  config /= "config.bin";
#ifdef _WIN32
  const std::wstring& wide = config.native();
  return ArgumentFromWide(std::u16string(wide.begin(), wide.end()));
#else
  return config.native();
#endif
}

Language LanguageBeside(const std::string& configPath) {
  return LanguageFromCode(LanguageCodeBeside(SystemFileSystem(), PathFromArgument(configPath)));
}

}  // namespace px::cli
