// The settings location's inputs on Linux: the environment, the account's
// home folder, the data folder the build was configured with, and mkdir.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "storage/executable_path.h"
#include "storage/settings_location.h"

#ifndef PX_INSTALLED_DATA_DIR
#error "PX_INSTALLED_DATA_DIR: the installed data folder, given by the build"
#endif

namespace px {

namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// $HOME as the user set it; the account's folder when it is unset, empty or
// relative (HOME= in a script means no home, not the current folder).
std::optional<std::string> HomeFolder() {
  if (auto home = Variable("HOME"); home && home->starts_with('/')) return home;
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir ? std::optional<std::string>(account->pw_dir) : std::nullopt;
}

class PosixFolderMaker final : public FolderMaker {
 public:
  bool MakeFolders(const NativePath& path, int& error) override {
    // Parents first; 0700 as the XDG base directory rules ask for new ones.
    std::vector<NativePath> missing;
    for (NativePath at = path; !at.empty(); at = at.parent_path()) {
      struct stat st {};
      if (::stat(at.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) break;
        error = ENOTDIR;
        return false;
      }
      if (errno != ENOENT) return Fail(error);
      missing.push_back(at);
      if (at == at.parent_path()) break;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
      if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) return Fail(error);
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return Fail(error);
    if (!S_ISDIR(st.st_mode)) {
      error = ENOTDIR;
      return false;
    }
    return true;
  }

 private:
  static bool Fail(int& error) {
    error = errno != 0 ? errno : EIO;
    return false;
  }
};

}  // namespace

SettingsEnvironment SystemSettingsEnvironment() {
  return SettingsEnvironment{
      .executable = RunningExecutableFile(),
      .xdgConfigHome = Variable("XDG_CONFIG_HOME"),
      .home = HomeFolder(),
      .dataFolder = NativePath(PX_INSTALLED_DATA_DIR),
  };
}

FolderMaker& SystemFolderMaker() {
  static PosixFolderMaker maker;
  return maker;
}

}  // namespace px
