#include "app/apply_flow.h"

#include <string>

#include "model/composition.h"

namespace px {

void Apply(SettingsSession& session, const ApplyPorts& ports) {
  WriteFixedTables(session.image);
  // A failed refresh keeps the last status bytes; the box has been shown.
  ports.device.GetDPIStage(session.image);
  ComposeFromModel(session.image, session.model, session.dpiTableVariant);
  ports.device.WriteOperation(session.image);
  SaveSettingsPair(session, ports.configFile, ports.strIni);
}

void SaveSettingsPair(const SettingsSession& session, ConfigFile& configFile, ProfileStore& strIni) {
  // The labels name the buttons' functions: they go in only with the
  // config.bin they belong to, which a start can tell from the staged name.
  const std::string tag = ConfigFile::TagOf(session.model);
  const bool staged = StageLabels(strIni, session.language, session.labels, tag);
  if (configFile.Save(session.model) != ConfigSaveResult::Saved) {
    // The box has been shown; both files stay as they were, in step.
    if (staged) strIni.DropStaged(tag);
    return;
  }
  // A copy that could not be staged (a folder that takes no new file): the
  // labels are written straight after config.bin, as well as can be. A
  // staged copy that cannot be committed now is committed by the next start.
  if (staged) {
    strIni.CommitStaged(tag);
  } else {
    SaveLabels(strIni, session.language, session.labels);
  }
}

void OkCommand(SettingsSession& session, const ApplyPorts& ports) {
  if (!session.devicePresent) return;
  Apply(session, ports);
  session.saved = session.model;
  ports.window.HideMainWindow();
}

void ApplyCommand(SettingsSession& session, const ApplyPorts& ports) {
  if (!session.devicePresent) return;
  Apply(session, ports);
  session.saved = session.model;
}

void CancelCommand(SettingsSession& session, MainWindowPort& window) {
  session.model = session.saved;
  session.labelsReloadPending = true;
  window.HideMainWindow();
}

void SettleInterruptedSave(ConfigFile& configFile, ProfileStore& strIni) {
  strIni.SettleStaged(configFile.CurrentTag());
}

StartupSettings LoadSettingsAtStart(SettingsSession& session, ConfigFile& configFile, ProfileStore& strIni,
                                    const std::function<void()>& beforeReads) {
  StartupSettings out;
  // An Apply killed between config.bin and str.ini is finished first, so
  // that the labels read below belong to the model; then what saves killed
  // half-way in earlier runs left is removed.
  SettleInterruptedSave(configFile, strIni);
  configFile.RemoveStaleTemporaries();
  strIni.RemoveStaleTemporaries();
  if (beforeReads) beforeReads();
  out.configLoad = configFile.Load(session.firstRunFlag, session.model);
  session.saved = session.model;
  session.languageCode = ReadLanguageCode(strIni);
  session.language = LanguageFromCode(session.languageCode);
  session.labels = LoadLabels(strIni, session.language);
  out.skinKeys = LoadSkinKeys(strIni);
  out.uiTextColor = ParseUiTextColor(out.skinKeys);
  return out;
}

SkinKeys ReloadLabels(SettingsSession& session, ProfileStore& strIni) {
  session.labels = LoadLabels(strIni, session.language);
  session.labelsReloadPending = false;
  return LoadSkinKeys(strIni);
}

}  // namespace px
