#pragma once
// Where the Linux programs keep config.bin and str.ini, and where they find
// the skins.
// - A folder whose executable has a config.bin beside it is a portable
//   install, as on Windows: the settings (and skins, when there) live there.
// - Otherwise the settings live in the user's folder, $XDG_CONFIG_HOME/px6410
//   (~/.config/px6410 when that is unset, empty or relative). It is made on
//   first use and given the installed defaults (config.bin and str.ini of the
//   installed data folder), one file at a time, never over a file that is
//   already there: the installed files are read-only and shared by every user.
#include <optional>
#include <string>

#include "common/native_path.h"
#include "storage/file_system.h"

namespace px {

inline constexpr char kSettingsFolderName[] = "px6410";

// What the choice reads from the process and the build.
struct SettingsEnvironment {
  NativePath executable;                     // the running executable; empty when unknown
  std::optional<std::string> xdgConfigHome;  // $XDG_CONFIG_HOME when set
  std::optional<std::string> home;           // $HOME, else the account's home folder
  NativePath dataFolder;                     // the installed data folder (/usr/share/px6410)
};

struct SettingsLocation {
  bool portable = false;  // beside the executable
  NativePath folder;      // empty when no folder can be told (no absolute home)
  NativePath configFile;  // folder/config.bin
  NativePath iniFile;     // folder/str.ini
};

// Decides; makes and writes nothing.
SettingsLocation ChooseSettingsLocation(FileSystem& files, const SettingsEnvironment& env);

// The folder that holds the skin folders: "Skins" beside the executable when
// there is one, else the installed data folder's.
NativePath ChooseSkinsRoot(FileSystem& files, const SettingsEnvironment& env);

// The one step the file system port does not have.
class FolderMaker {
 public:
  virtual ~FolderMaker() = default;
  // Makes `path` and its missing parents, new ones readable by their owner
  // only. True when `path` is a folder afterwards; else `error` says why.
  virtual bool MakeFolders(const NativePath& path, int& error) = 0;
};

struct SettingsSetup {
  enum class Status {
    Ok,
    NoFolder,        // no absolute XDG_CONFIG_HOME or HOME
    FolderFailed,    // the folder could not be made: `path`, `error`
    SeedMissing,     // an installed default is not there: `path`
    SeedUnreadable,  // an installed default cannot be read: `path`, `error`
    CopyFailed,      // the copy could not be written: `path`, `error`
  };
  Status status = Status::Ok;
  NativePath path;
  int error = 0;
  bool Ok() const { return status == Status::Ok; }
};

// Makes sure the user's folder exists and holds both files, copying each
// missing one from `dataFolder`. Stops at the first failure; a file copied
// before it stays (it is a whole default file), nothing else is touched. A
// portable location is left as it is.
SettingsSetup PrepareSettingsFolder(FileSystem& files, FolderMaker& folders, const SettingsLocation& where,
                                    const NativePath& dataFolder);

// One line for a person: what failed, where, and why.
std::string DescribeSettingsSetup(FileSystem& files, const SettingsSetup& setup);

// The process's own values (storage/linux/): its executable, environment and
// the data folder the build was configured with; the system's folder maker.
SettingsEnvironment SystemSettingsEnvironment();
FolderMaker& SystemFolderMaker();

}  // namespace px
