#include "app/utility_core.h"

#include "app/dialog_settings.h"
#include "skin/skin_paths.h"

namespace px {

LocatedSettings LocateSettings(FileSystem& files, FolderMaker& folders, const SettingsEnvironment& environment,
                               const std::optional<NativePath>& given) {
  if (given) {
    return {SettingsLocation{.portable = true, .folder = *given, .configFile = *given / "config.bin",
                             .iniFile = *given / "str.ini"},
            {}};
  }
  const SettingsLocation where = ChooseSettingsLocation(files, environment);
  const SettingsSetup setup = PrepareSettingsFolder(files, folders, where, environment.dataFolder);
  if (!setup.Ok()) return {std::nullopt, DescribeSettingsSetup(files, setup)};
  return {where, {}};
}

UtilityCore::UtilityCore(UtilityParts&& parts)
    : parts_(std::move(parts)),
      config_(parts_.files, parts_.boxes, parts_.configFile),
      shared_(parts_.files, parts_.configFile, parts_.iniFile) {}

UtilityCore::~UtilityCore() = default;

void UtilityCore::Assemble(const UtilityWindow& window) {
  controller_ = std::make_unique<MainController>(
      state_, ControllerPorts{window.window, window.tray, window.instance, window.skins}, config_, *parts_.strIni,
      shared_, DeviceParts{*parts_.bus, parts_.boxes, parts_.waits},
      [this](TextView skinName) { return SkinFolderOf(skinName); });
  dialogs_ = std::make_unique<ParameterDialogs>(window.dialogWindows,
                                                [this] { return ParameterDialogSettingsOf(state_); });
  page_ = std::make_unique<SettingsPage>(state_.Settings, PageFlags{state_.PageState, state_.PageBuiltOnce},
                                         *parts_.strIni, window.pageView, *controller_, *dialogs_);
  controller_->AttachPage(*this);
}

// A refused name draws as a missing skin; str.ini keeps the user's text as it is.
Text UtilityCore::SkinFolderOf(TextView skinName) const {
  if (parts_.skinRefused) {
    if (const auto refused = SkinRefusal(parts_.skinsRoot, skinName)) parts_.skinRefused(skinName, *refused);
  }
  return SkinFolderIn(parts_.skinsRoot, skinName);
}

}  // namespace px
