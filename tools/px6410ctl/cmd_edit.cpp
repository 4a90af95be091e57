// set, get and show --json: the settings by name, with the page's rules,
// the labels the utility would show, and JSON profiles for scripts.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "buttons/assignment.h"
#include "cli.h"
#include "cli_files.h"
#include "common/native_path.h"
#include "edit_batch.h"
#include "installed.h"
#include "setting_names.h"
#include "skin/skin_paths.h"
#include "storage/ini_file_store.h"
#include "storage/installed_files.h"
#include "storage/settings_paths.h"
#include "storage/staged_file.h"
#include "storage/str_ini.h"

namespace px::cli {

namespace {

using Json = nlohmann::ordered_json;

// A JSON profile is small; anything larger is not one.
constexpr std::size_t kMaxProfileSize = 1024 * 1024;

struct EditArgs {
  std::optional<std::string> configPath;
  std::vector<std::string> assignments;  // NAME=VALUE
  std::vector<std::string> names;        // get: NAME
  std::optional<std::string> variant;
  std::optional<std::string> from;
  bool apply = false;
  bool json = false;
};

// "--variant N", "--from FILE", "--apply", "--json" where `allowed` lists them;
// the first other word without '=' is the settings file.
std::optional<std::string> ParseEditArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> allowed,
                                         bool namesArePositional, EditArgs& out) {
  const auto isAllowed = [&](std::string_view o) { return std::find(allowed.begin(), allowed.end(), o) != allowed.end(); };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.starts_with("--")) {
      if (!isAllowed(a)) return "unknown option '" + a + "'";
      if (a == "--apply") {
        out.apply = true;
      } else if (a == "--json") {
        out.json = true;
      } else {
        if (i + 1 >= args.size()) return a + " needs a value";
        (a == "--variant" ? out.variant : out.from) = args[++i];
      }
    } else if (!namesArePositional && a.find('=') != std::string::npos) {
      out.assignments.push_back(a);
    } else if (!out.configPath && (!namesArePositional || !ParseSettingName(a))) {
      out.configPath = a;
    } else if (namesArePositional) {
      out.names.push_back(a);
    } else {
      return "unexpected argument '" + a + "' (NAME=VALUE expected)";
    }
  }
  return std::nullopt;
}

// The sensor's table variant: the mouse's when one answers, else --variant,
// else 0, the variant the utility assumes until it has read a mouse.
std::optional<std::uint8_t> ResolveVariant(Context& ctx, const std::optional<std::string>& option, std::string& error) {
  std::optional<std::uint8_t> given;
  if (option) {
    if (option->size() != 1 || (*option)[0] < '0' || (*option)[0] > '3') {
      error = "--variant must be 0, 1, 2 or 3, not '" + *option + "'";
      return std::nullopt;
    }
    given = static_cast<std::uint8_t>((*option)[0] - '0');
  }
  const std::optional<std::uint8_t> mouse = MouseDpiTableVariant(ctx);
  if (mouse && given && *mouse != *given) {
    error = "--variant " + std::to_string(*given) + " disagrees with the mouse, whose table variant is " +
            std::to_string(*mouse);
    return std::nullopt;
  }
  return mouse ? *mouse : given.value_or(0);
}

// In the argument's own form: bytes on Linux, whatever their encoding.
std::string StrIniBeside(const std::string& configPath) {
  return ArgumentFromPath(PathFromArgument(configPath).parent_path() / "str.ini");
}

std::filesystem::path NativePath(const std::string& argument) { return PathFromArgument(argument); }

// No write permission for anyone (or the read-only attribute): writing must
// be refused even where a rename could replace the file, and even for root.
bool ReadOnly(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(NativePath(path), ec);
  if (ec || !std::filesystem::exists(status)) return false;
  using std::filesystem::perms;
  return (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

// str.ini held in memory, so that the sixteen labels go to disk in one write.
class IniText final : public ProfileStore {
 public:
  explicit IniText(DecodedIni ini) : ini_(std::move(ini)) {}
  Text Read(TextView section, TextView key) override {
    return FindIniValue(ini_.text, section, key).value_or(Text{});
  }
  bool Write(TextView section, TextView key, TextView value) override {
    ini_.text = SetIniValue(ini_.text, section, key, value);
    return true;
  }
  FileBytes Bytes() const { return EncodeIni(ini_.text, ini_.encoding); }

 private:
  DecodedIni ini_;
};

std::optional<std::string> JsonValueText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_unsigned() || value.is_number_integer()) return value.dump();
  if (value.is_boolean()) return value.get<bool>() ? "yes" : "no";
  return std::nullopt;
}

// A profile's keys as NAME=VALUE, in the file's order; unknown keys refused.
std::optional<std::string> ReadProfile(const std::string& path, std::vector<std::string>& assignments) {
  std::string error;
  const auto bytes = ReadWholeFile(path, kMaxProfileSize, error);
  if (!bytes) return error;
  // The parser keeps the last of two equal keys; a profile that names a
  // setting twice is refused instead, as on the command line.
  std::vector<std::string> keys;
  std::optional<std::string> twice;
  const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (event == Json::parse_event_t::key && depth == 1) {
      const std::string key = parsed.get<std::string>();
      if (!twice && std::find(keys.begin(), keys.end(), key) != keys.end()) twice = key;
      keys.push_back(key);
    }
    return true;
  };
  const Json profile = Json::parse(bytes->begin(), bytes->end(), noteKeys, false);
  if (profile.is_discarded()) return path + ": not JSON";
  if (twice && profile.is_object()) return path + ": " + *twice + " is given twice";
  if (!profile.is_object()) return path + ": not a JSON object of NAME: VALUE";
  for (const auto& [name, value] : profile.items()) {
    if (!ParseSettingName(name)) return path + ": unknown name '" + name + "' (names: " + NameSummary() + ")";
    const auto text = JsonValueText(value);
    if (!text) return path + ": " + name + ": the value must be a string, a whole number, true or false";
    assignments.push_back(name + "=" + *text);
  }
  return std::nullopt;
}

Json ProfileJson(const SettingsModel& model, const Vocabulary& words) {
  Json profile = Json::object();
  for (const SettingName& name : ProfileNames(model, words)) {
    const std::string value = FormatSettingValue(name, model, words);
    const bool number = !value.empty() && value.size() < 6 &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (number) {
      profile[SettingNameText(name)] = std::stoi(value);
    } else if (name.setting == Setting::DpiEnabled && (value == "yes" || value == "no")) {
      profile[SettingNameText(name)] = value == "yes";
    } else {
      profile[SettingNameText(name)] = value;
    }
  }
  return profile;
}

bool NeedsVariant(const std::vector<SettingName>& names) {
  return std::any_of(names.begin(), names.end(), [](const SettingName& n) {
    return n.setting == Setting::DpiValue || n.setting == Setting::DpiLevel || n.setting == Setting::Button;
  });
}

// config.bin and str.ini in the utility's order: the new str.ini staged
// beside it under the tag of the new config.bin, config.bin replaced, then the
// staged file renamed over str.ini. A failure before config.bin is replaced
// leaves both files as they were; a crash after it is finished by the next
// start of either program. With `configChanged` false (only the skin
// changed) config.bin is left alone and str.ini is simply replaced.
std::optional<std::string> WriteSettings(const std::string& configPath, std::uint8_t flag, const SettingsModel& model,
                                         const std::optional<FileBytes>& newIni, bool configChanged) {
  const std::string iniPath = StrIniBeside(configPath);
  if (configChanged && ReadOnly(configPath)) return configPath + ": read-only; nothing written";
  if (newIni && ReadOnly(iniPath)) return iniPath + ": read-only; nothing written";
  FileSystem& files = SystemFileSystem();
  const FileInfo ini = files.Inspect(NativePath(iniPath));
  // A folder or a device in str.ini's place gets the plain write's answer.
  const bool stage = newIni && configChanged && ini.error == 0 &&
                     (ini.kind == FileKind::Regular || ini.kind == FileKind::Missing);
  std::string error;
  if (newIni && !stage && !WriteWholeFile(iniPath, *newIni, error)) return error + "; nothing written";
  if (!configChanged) return std::nullopt;
  std::vector<std::uint8_t> config(1 + kSettingsModelSize);
  config[0] = flag;
  std::copy(model.Bytes().begin(), model.Bytes().end(), config.begin() + 1);
  const std::string tag = ContentTag(config);
  if (stage) {
    const WriteResult staged = StageFile(files, ini.resolved, tag, *newIni);
    if (!staged.Ok()) return DescribeWriteFailure(iniPath, staged) + "; nothing written";
  }
  if (!WriteWholeFile(configPath, config, error)) {
    if (stage) files.Remove(StagedPathOf(ini.resolved, tag));
    return error + "; nothing written";
  }
  int replaceError = 0;
  if (stage && !CommitStaged(files, ini.resolved, tag, replaceError)) {
    return iniPath + ": cannot replace: " + files.ErrorText(replaceError) + "; " + configPath +
           " is saved, its labels are put in place at the next start";
  }
  return std::nullopt;
}

constexpr std::string_view kSkinPrefix = "skin=";

// "skin=NAME": the skin the utility draws, in str.ini's "Path", taken out of
// the assignments of the settings file. Refused by the utility's own rule: a
// name that no skin may have (one that climbs, a path), or a folder of the
// utility's skins folder that is a link leading out of it.
std::optional<std::string> TakeSkinAssignment(std::vector<std::string>& texts, std::optional<Text>& skin) {
  for (auto it = texts.begin(); it != texts.end();) {
    if (!it->starts_with(kSkinPrefix)) {
      ++it;
      continue;
    }
    if (skin) return std::string("skin is given twice");
    const std::string value = it->substr(kSkinPrefix.size());
    if (const auto refused = SkinNameRefusal(FromUtf8(value))) {
      return *it + ": not a skin's folder name (the name " + std::string(*refused) + ")";
    }
    const Text root = SkinsRootOfTool();
    if (const auto refused = SkinRefusal(root, FromUtf8(value))) {
      return *it + ": not a skin's folder (" + ToUtf8(root) + "/" + value + " " + std::string(*refused) + ")";
    }
    skin = FromUtf8(value);
    it = texts.erase(it);
  }
  return std::nullopt;
}

// The settings file a command edits or shows (given, or the default folder's,
// settled first) and what it holds.
struct ChosenConfig {
  std::string path;
  ConfigFile config;
};

// The chosen file read whole, or the exit code that ends the command.
std::variant<ChosenConfig, int> ReadChosenConfig(Context& ctx, const std::optional<std::string>& given) {
  const auto chosen = ConfigPathOr(ctx, given);
  if (!chosen) return kExitUsage;
  std::string error;
  auto config = ReadConfigFile(*chosen, error);
  if (!config) return UsageError(ctx, error);
  return ChosenConfig{*chosen, std::move(*config)};
}

bool ButtonsDiffer(const SettingsModel& a, const SettingsModel& b) {
  // FireMakeTime (36) to the end: the shared button values and every button array.
  constexpr std::size_t kFirstButtonByte = 36;
  return !std::equal(a.Bytes().begin() + kFirstButtonByte, a.Bytes().end(), b.Bytes().begin() + kFirstButtonByte);
}

}  // namespace

int CmdSet(Context& ctx) {
  EditArgs args;
  if (auto e = ParseEditArgs(ctx.args, {"--variant", "--from", "--apply"}, false, args)) return UsageError(ctx, "set: " + *e);
  std::vector<std::string> texts;
  if (args.from) {
    if (auto e = ReadProfile(*args.from, texts)) return UsageError(ctx, "set: " + *e);
  }
  texts.insert(texts.end(), args.assignments.begin(), args.assignments.end());
  if (texts.empty()) return UsageError(ctx, "set: nothing to set: give NAME=VALUE or --from FILE.json (see set --help)");
  std::optional<Text> skin;
  if (auto e = TakeSkinAssignment(texts, skin)) return UsageError(ctx, "set: " + *e);
  const auto chosen = ReadChosenConfig(ctx, args.configPath);
  if (const int* code = std::get_if<int>(&chosen)) return *code;
  const auto& [configPath, config] = std::get<ChosenConfig>(chosen);
  std::string error;

  std::vector<SettingName> names;
  for (const auto& t : texts) {
    if (auto n = ParseSettingName(std::string_view(t).substr(0, t.find('=')))) names.push_back(*n);
  }
  Vocabulary words{.dpiTableVariant = 0, .language = LanguageBeside(configPath)};
  if (NeedsVariant(names) || args.variant) {
    const auto variant = ResolveVariant(ctx, args.variant, error);
    if (!variant) return UsageError(ctx, "set: " + error);
    words.dpiTableVariant = *variant;
  }

  // The labels as the utility would hold them: on its first run it starts
  // from the factory labels.
  const std::string iniPath = StrIniBeside(configPath);
  std::optional<FileBytes> oldIni;
  {
    ReadResult read = SystemFileSystem().Read(NativePath(iniPath), IniFileStore::kMaxFileSize);
    if (read.Ok()) {
      oldIni = std::move(read.bytes);
    } else if (read.status != ReadResult::Status::Missing) {
      return UsageError(ctx, "set: " + iniPath + ": cannot read the labels; nothing written");
    }
  }
  IniText ini(oldIni ? DecodeIni(*oldIni) : DecodedIni{});
  EditState state{.model = config.model,
                  .labels = config.firstRunFlag == 0 ? DefaultButtonLabels(words.language)
                                                      : LoadLabels(ini, words.language)};
  const LabelSet labelsBefore = state.labels;

  std::vector<Assignment> assignments;
  if (auto e = ParseAssignments(texts, state.model, words, assignments)) return UsageError(ctx, "set: " + *e);
  if (auto e = ApplyAssignments(state, assignments, words)) return UsageError(ctx, "set: " + *e);

  const bool writeLabels = state.labels != labelsBefore || ButtonsDiffer(state.model, config.model);
  const bool writeSkin = skin && ini.Read(kSkinsSection, kSkinNameKey) != *skin;
  const bool configChanged = state.model != config.model || writeLabels;
  if (configChanged || writeSkin) {
    std::optional<FileBytes> newIni;
    if (writeLabels) SaveLabels(ini, words.language, state.labels);
    if (writeSkin) ini.Write(kSkinsSection, kSkinNameKey, *skin);
    if (writeLabels || writeSkin) newIni = ini.Bytes();
    // The labels now match the model, as after the utility's first Apply.
    const std::uint8_t flag = writeLabels ? std::uint8_t{1} : config.firstRunFlag;
    if (auto e = WriteSettings(configPath, flag, state.model, newIni, configChanged)) {
      return UsageError(ctx, "set: " + *e);
    }
  }
  if (!args.apply) return kExitOk;
  Context applyCtx{.simFile = ctx.simFile, .traceFile = ctx.traceFile, .program = ctx.program, .args = {configPath},
                   .out = ctx.out, .err = ctx.err};
  const int code = CmdApply(applyCtx);
  if (code != kExitOk) ctx.err << "px6410ctl: set: " << configPath << " is saved, but the mouse was not updated\n";
  return code;
}

int CmdGet(Context& ctx) {
  EditArgs args;
  if (auto e = ParseEditArgs(ctx.args, {"--variant"}, true, args)) return UsageError(ctx, "get: " + *e);
  std::vector<SettingName> names;
  for (const auto& n : args.names) {
    const auto name = ParseSettingName(n);
    if (!name) return UsageError(ctx, "get: unknown name '" + n + "' (names: " + NameSummary() + ")");
    names.push_back(*name);
  }
  const auto chosen = ConfigPathOr(ctx, args.configPath);
  if (!chosen) return kExitUsage;
  const std::string& configPath = *chosen;
  std::string error;
  const auto config = ReadConfigFile(configPath, error);
  if (!config) {
    // "get raet": a mistyped name rather than a settings file.
    const std::string& given = args.configPath.value_or("/");
    if (given.find_first_of("/\\.") == std::string::npos || given.starts_with("dpi.") ||
        given.starts_with("light.") || given.starts_with("button.")) {
      return UsageError(ctx, "get: unknown name '" + given + "' (names: " + NameSummary() + ")");
    }
    return UsageError(ctx, error);
  }
  Vocabulary words{.dpiTableVariant = 0, .language = LanguageBeside(configPath)};
  if (names.empty() || NeedsVariant(names) || args.variant) {
    const auto variant = ResolveVariant(ctx, args.variant, error);
    if (!variant) return UsageError(ctx, "get: " + error);
    words.dpiTableVariant = *variant;
  }
  if (names.empty()) names = ProfileNames(config->model, words);
  std::ostringstream text;
  for (const auto& n : names) text << SettingNameText(n) << '=' << FormatSettingValue(n, config->model, words) << '\n';
  ctx.out << text.str() << std::flush;
  return kExitOk;
}

int CmdShowJson(Context& ctx) {
  EditArgs args;
  if (auto e = ParseEditArgs(ctx.args, {"--variant", "--json"}, false, args)) return UsageError(ctx, "show: " + *e);
  if (!args.assignments.empty()) return UsageError(ctx, "show: unexpected argument '" + args.assignments[0] + "'");
  const auto chosen = ReadChosenConfig(ctx, args.configPath);
  if (const int* code = std::get_if<int>(&chosen)) return *code;
  const auto& [configPath, config] = std::get<ChosenConfig>(chosen);
  std::string error;
  const auto variant = ResolveVariant(ctx, args.variant, error);
  if (!variant) return UsageError(ctx, "show: " + error);
  const Vocabulary words{.dpiTableVariant = *variant, .language = LanguageBeside(configPath)};
  ctx.out << ProfileJson(config.model, words).dump(2) << '\n' << std::flush;
  return kExitOk;
}

}  // namespace px::cli
