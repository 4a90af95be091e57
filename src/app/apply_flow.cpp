#include "app/apply_flow.h"

#include "model/composition.h"

namespace px {

void Apply(SettingsSession& session, const ApplyPorts& ports) {
  WriteFixedTables(session.image);
  // A failed refresh keeps the last status bytes; the box has been shown.
  ports.device.GetDPIStage(session.image);
  ComposeFromModel(session.image, session.model, session.dpiTableVariant);
  ports.device.WriteOperation(session.image);
  ports.configFile.Save(session.model);
  SaveLabels(ports.strIni, session.language, session.labels);
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

StartupSettings LoadSettingsAtStart(SettingsSession& session, ConfigFile& configFile, ProfileStore& strIni) {
  StartupSettings out;
  // Saves killed half-way in earlier runs left their temporary files.
  configFile.RemoveStaleTemporaries();
  strIni.RemoveStaleTemporaries();
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
