#pragma once
// OK, Apply and Cancel, the apply flow behind them, and the start-up reads of
// the settings files, as portable logic over the device, file, profile and
// window ports. The read-back after discovery is the device session's
// (device/device_change.h).
#include <cstdint>
#include <functional>

#include "device/device_operations.h"
#include "model/settings_session.h"
#include "model/settings_model.h"
#include "storage/config_file.h"
#include "storage/profile_store.h"
#include "storage/str_ini.h"

namespace px {

class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;
  // Hides the main window; it stays in the notification area.
  virtual void HideMainWindow() = 0;
};

struct ApplyPorts {
  DeviceOperations& device;
  ConfigFile& configFile;
  ProfileStore& strIni;
  MainWindowPort& window;
};

// Fixed tables, GetDPIStage, composition, WriteOperation, config.bin, labels,
// in that order. Every failure is reported by its own box and the flow goes
// on, so the files are saved even when the mouse did not answer.
void Apply(SettingsSession& session, const ApplyPorts& ports);

// config.bin and the labels, kept in step: the labels are staged, config.bin
// saved, then the staged labels committed. When config.bin cannot be saved
// (missing, or refused: its box is shown) the labels are not written either,
// so the pair never disagrees.
void SaveSettingsPair(const SettingsSession& session, ConfigFile& configFile, ProfileStore& strIni);

// Only while the mouse is present: Apply, remember the model as saved, hide.
void OkCommand(SettingsSession& session, const ApplyPorts& ports);
// Only while the mouse is present: Apply and remember the model as saved.
void ApplyCommand(SettingsSession& session, const ApplyPorts& ports);
// Always: back to the saved model, labels to be re-read when next shown, hide.
// Nothing is sent.
void CancelCommand(SettingsSession& session, MainWindowPort& window);

// What the start-up reads give the main window beyond the session.
struct StartupSettings {
  ConfigLoadResult configLoad = ConfigLoadResult::Missing;
  SkinKeys skinKeys;
  Rgb uiTextColor{};  // from the colour keys; black when they are missing
};

// A save of the pair killed between config.bin and str.ini (by this program
// or another on the folder) is finished: the str.ini staged for config.bin as
// it is now is put in place, so the labels read next belong to its model.
// Every read of the pair from the files comes after it.
void SettleInterruptedSave(ConfigFile& configFile, ProfileStore& strIni);

// The start-up reads in order: config.bin, the saved copy, "Lan" and the
// language, the labels of its section, then the skin keys. Before them, an
// interrupted save of the pair is finished or thrown away (SettleStaged) and
// the left-overs of interrupted saves are removed; then `beforeReads` runs,
// so that what the files hold when it runs is what is read.
StartupSettings LoadSettingsAtStart(SettingsSession& session, ConfigFile& configFile, ProfileStore& strIni,
                                    const std::function<void()>& beforeReads = {});

// The labels and skin keys again, for the first show after a Cancel; clears
// LabelsReloadPending.
SkinKeys ReloadLabels(SettingsSession& session, ProfileStore& strIni);

}  // namespace px
