#pragma once
// Starting the utility at login, for the user who asks for it (never by
// default). Linux: an XDG autostart entry, px6410.desktop in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart). Windows: the per-user
// Run value "PX6410". The decisions are here; the registry is behind the
// RunKey port (win32/), the files behind the FileSystem port.
#include <optional>
#include <string>

#include "common/native_path.h"
#include "common/text.h"
#include "storage/file_system.h"
#include "storage/settings_location.h"

namespace px {

enum class AutostartState { On, Off };

struct AutostartAnswer {
  enum class Status {
    Ok,
    NoFolder,     // no absolute XDG_CONFIG_HOME or HOME (Linux)
    NoUtility,    // no utility beside the tool to start (Windows)
    BadPath,      // the utility's path cannot be written into an entry
    NotOurs,      // an entry of that name that another program wrote: left alone
    Failed,       // the file or the registry refused: `error`
  };
  Status status = Status::Ok;
  AutostartState state = AutostartState::Off;  // after the command
  std::string where;                           // the entry: its file, or the registry value
  std::string target;                          // what it starts (on, or found by status)
  int error = 0;
  bool Ok() const { return status == Status::Ok; }
};

// ---- Linux -----------------------------------------------------------------

inline constexpr char kInstalledUtility[] = "/usr/bin/px6410";

// $XDG_CONFIG_HOME/autostart/px6410.desktop, ~/.config/... when it is unset,
// empty or relative; nothing without an absolute home.
std::optional<NativePath> AutostartEntryPath(const SettingsEnvironment& env);

// The px6410 beside the running tool when there is one (a build or an
// unpacked folder), else the installed one.
NativePath UtilityToStart(FileSystem& files, const NativePath& toolExecutable);

// The entry's text; nothing for a path no entry can hold (not UTF-8, or
// holding a control character).
std::optional<std::string> AutostartEntryText(const NativePath& utility);

AutostartAnswer LinuxAutostartStatus(FileSystem& files, const SettingsEnvironment& env);
// Writes the entry (its folder made first) through the safe whole-file write.
AutostartAnswer LinuxAutostartOn(FileSystem& files, FolderMaker& folders, const SettingsEnvironment& env);
// Removes the entry only when it is the one `on` wrote.
AutostartAnswer LinuxAutostartOff(FileSystem& files, const SettingsEnvironment& env);

// ---- Windows ---------------------------------------------------------------

// The values of HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
class RunKey {
 public:
  virtual ~RunKey() = default;
  virtual std::optional<Text> Read(TextView name) = 0;
  virtual bool Write(TextView name, TextView value, int& error) = 0;
  // True when the value is gone afterwards (also when it was never there).
  virtual bool Remove(TextView name, int& error) = 0;
};

inline constexpr TextView kRunValueName = u"PX6410";
inline constexpr char kRunKeyDisplay[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value: the utility's full path in quotes, as the shell wants a
// path that may hold blanks.
Text RunValueFor(TextView utility);

// `utilityFile` is PX6410-3-4.exe beside the tool, `utilityText` its path as text.
AutostartAnswer WindowsAutostartStatus(RunKey& key);
AutostartAnswer WindowsAutostartOn(RunKey& key, FileSystem& files, const NativePath& utilityFile,
                                   TextView utilityText);
AutostartAnswer WindowsAutostartOff(RunKey& key);

// The user's Run key (storage/win32/).
RunKey& SystemRunKey();

}  // namespace px
