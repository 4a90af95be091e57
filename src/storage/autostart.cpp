#include "storage/autostart.h"

#include <span>
#include <string_view>

#include "common/printable_text.h"

namespace px {
namespace {

// The line that tells the entry `on` wrote from one of the same name that
// the user or another program made.
constexpr std::string_view kOwnMark = "X-PX6410-Autostart=true";
constexpr std::size_t kMaxEntrySize = 64 * 1024;
constexpr char kUtilityName[] = "px6410";

bool IsAbsolute(const std::optional<std::string>& value) { return value && !value->empty() && (*value)[0] == '/'; }

// Desktop entries are UTF-8 text, one key a line.
bool IsPrintableUtf8(const std::string& bytes) {
  const Text text = FromUtf8(bytes);
  return ToUtf8(text) == bytes && IsPrintableText(text);
}

// The Exec key's quoting: the path in double quotes with the quote, the
// backquote, the dollar and the backslash escaped; then the value's own
// escapes (each backslash doubled again, each % doubled).
std::string ExecValue(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += '\\';
    if (c == '%') value += '%';
    value += c;
  }
  return value;
}

AutostartAnswer Answer(AutostartAnswer::Status status, const NativePath& where, int error = 0) {
  AutostartAnswer answer;
  answer.status = status;
  answer.where = PathForDisplay(where);
  answer.error = error;
  return answer;
}

// What is at the entry's path: ours (with the utility it starts), another's, or nothing.
struct EntryFound {
  bool exists = false;
  bool ours = false;
  std::string target;
  int error = 0;
};

EntryFound Inspect(FileSystem& files, const NativePath& path) {
  EntryFound found;
  const ReadResult read = files.Read(path, kMaxEntrySize);
  if (read.status == ReadResult::Status::Missing) return found;
  found.exists = true;
  found.error = read.error;
  if (!read.Ok()) return found;
  const std::string text(read.bytes.begin(), read.bytes.end());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    if (line == kOwnMark) found.ours = true;
    if (line.starts_with("Exec=")) found.target = std::string(line.substr(5));
    at = end + 1;
  }
  return found;
}

}  // namespace

std::optional<NativePath> AutostartEntryPath(const SettingsEnvironment& env) {
  NativePath base;
  if (IsAbsolute(env.xdgConfigHome)) {
    base = NativePath(*env.xdgConfigHome);
  } else if (IsAbsolute(env.home)) {
    base = NativePath(*env.home) / ".config";
  } else {
    return std::nullopt;
  }
  return base / "autostart" / "px6410.desktop";
}

NativePath UtilityToStart(FileSystem& files, const NativePath& toolExecutable) {
  if (!toolExecutable.empty() && toolExecutable.has_parent_path()) {
    const NativePath beside = toolExecutable.parent_path() / kUtilityName;
    if (files.Inspect(beside).kind == FileKind::Regular) return beside;
  }
  return NativePath(kInstalledUtility);
}

std::optional<std::string> AutostartEntryText(const NativePath& utility) {
  const std::string path = utility.string();
  if (!IsPrintableUtf8(path)) return std::nullopt;
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=PX6410 Mouse Settings\n"
         "Comment=Starts the PX6410 mouse utility behind its notification-area icon\n"
         "Exec=" + ExecValue(path) + "\n"
         "Icon=px6410\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n" + std::string(kOwnMark) + "\n";
}

AutostartAnswer LinuxAutostartStatus(FileSystem& files, const SettingsEnvironment& env) {
  const std::optional<NativePath> path = AutostartEntryPath(env);
  if (!path) return Answer(AutostartAnswer::Status::NoFolder, {});
  const EntryFound found = Inspect(files, *path);
  AutostartAnswer answer = Answer(AutostartAnswer::Status::Ok, *path);
  answer.state = found.exists && found.ours ? AutostartState::On : AutostartState::Off;
  answer.target = found.ours ? found.target : std::string();
  return answer;
}

AutostartAnswer LinuxAutostartOn(FileSystem& files, FolderMaker& folders, const SettingsEnvironment& env) {
  const std::optional<NativePath> path = AutostartEntryPath(env);
  if (!path) return Answer(AutostartAnswer::Status::NoFolder, {});
  const EntryFound found = Inspect(files, *path);
  if (found.exists && !found.ours) return Answer(AutostartAnswer::Status::NotOurs, *path, found.error);
  const NativePath utility = UtilityToStart(files, env.executable);
  const std::optional<std::string> text = AutostartEntryText(utility);
  if (!text) {
    AutostartAnswer answer = Answer(AutostartAnswer::Status::BadPath, *path);
    answer.target = PathForDisplay(utility);
    return answer;
  }
  int error = 0;
  if (!folders.MakeFolders(path->parent_path(), error)) return Answer(AutostartAnswer::Status::Failed, *path, error);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text->data());
  const WriteResult written = WriteWholeFile(files, *path, std::span(bytes, text->size()));
  if (!written.Ok()) return Answer(AutostartAnswer::Status::Failed, *path, written.error);
  AutostartAnswer answer = Answer(AutostartAnswer::Status::Ok, *path);
  answer.state = AutostartState::On;
  answer.target = PathForDisplay(utility);
  return answer;
}

AutostartAnswer LinuxAutostartOff(FileSystem& files, const SettingsEnvironment& env) {
  const std::optional<NativePath> path = AutostartEntryPath(env);
  if (!path) return Answer(AutostartAnswer::Status::NoFolder, {});
  const EntryFound found = Inspect(files, *path);
  if (found.exists && !found.ours) return Answer(AutostartAnswer::Status::NotOurs, *path, found.error);
  if (found.exists) {
    files.Remove(*path);
    if (files.Exists(*path)) return Answer(AutostartAnswer::Status::Failed, *path);
  }
  return Answer(AutostartAnswer::Status::Ok, *path);
}

Text RunValueFor(TextView utility) {
  Text value;
  value.reserve(utility.size() + 2);
  value += u'"';
  value.append(utility);
  value += u'"';
  return value;
}

AutostartAnswer WindowsAutostartStatus(RunKey& key) {
  AutostartAnswer answer;
  answer.where = std::string(kRunKeyDisplay) + "\\" + ToUtf8(kRunValueName);
  if (const std::optional<Text> value = key.Read(kRunValueName)) {
    answer.state = AutostartState::On;
    answer.target = ToUtf8(*value);
  }
  return answer;
}

AutostartAnswer WindowsAutostartOn(RunKey& key, FileSystem& files, const NativePath& utilityFile,
                                   TextView utilityText) {
  AutostartAnswer answer = WindowsAutostartStatus(key);
  answer.target = ToUtf8(utilityText);
  if (files.Inspect(utilityFile).kind != FileKind::Regular) {
    answer.status = AutostartAnswer::Status::NoUtility;
    return answer;
  }
  // A quote inside the path would end the quoted command early.
  if (!IsPrintableText(utilityText) || utilityText.find(u'"') != TextView::npos) {
    answer.status = AutostartAnswer::Status::BadPath;
    return answer;
  }
  const Text value = RunValueFor(utilityText);
  if (!key.Write(kRunValueName, value, answer.error)) {
    answer.status = AutostartAnswer::Status::Failed;
    return answer;
  }
  answer.state = AutostartState::On;
  answer.target = ToUtf8(value);
  return answer;
}

AutostartAnswer WindowsAutostartOff(RunKey& key) {
  AutostartAnswer answer = WindowsAutostartStatus(key);
  answer.target.clear();
  if (!key.Remove(kRunValueName, answer.error)) {
    answer.status = AutostartAnswer::Status::Failed;
    return answer;
  }
  answer.state = AutostartState::Off;
  return answer;
}

}  // namespace px
