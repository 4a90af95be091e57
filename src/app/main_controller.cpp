#include "app/main_controller.h"

#include "app/dialog_settings.h"
#include "app/notification.h"
#include "app/skin_flow.h"
#include "app/tray_click.h"
#include "page/page_state.h"
#include "storage/str_ini.h"

namespace px {

MainController::MainController(AppState& state, ControllerPorts ports, ConfigFile& config, ProfileStore& strIni,
                               SharedSettingsFiles& shared, DeviceParts device,
                               std::function<Text(TextView)> skinFolderFor)
    : state_(state),
      ports_(ports),
      config_(config),
      strIni_(strIni),
      shared_(shared),
      deviceParts_(device),
      skinFolderFor_(std::move(skinFolderFor)) {}

MainController::~MainController() = default;

bool MainController::StartUp() {
  starting_ = true;
  StartupStep step = StartupStep::CheckSingleInstance;
  while (step != StartupStep::Done) {
    const bool succeeded = RunStep(step);
    // Another instance runs: leave at once, changing nothing.
    if (step == StartupStep::CheckSingleInstance && !succeeded) return false;
    step = NextStartupStep(step, succeeded, state_.Settings.devicePresent);
  }
  starting_ = false;
  // Without an icon nothing could show the window later: it shows now.
  if (!trayShown_) ShowWindow();
  if (showAsked_) {
    showAsked_ = false;
    OnShowRequest();
  }
  return true;
}

bool MainController::RunStep(StartupStep step) {
  SettingsSession& settings = state_.Settings;
  switch (step) {
    case StartupStep::CheckSingleInstance:
      return ports_.instance.ClaimFirstInstance();
    case StartupStep::AddTrayIcon:
      trayShown_ = ports_.tray.Add();
      ports_.tray.SetExitText(Texts().Exit);
      return true;
    case StartupStep::DiscoverMouse: {
      // The session's boxes speak the language of the settings file.
      const Language language = LanguageFromCode(ReadLanguageCode(strIni_));
      device_ = std::make_unique<DeviceSession>(deviceParts_.bus, deviceParts_.boxes, deviceParts_.waits,
                                                static_cast<DeviceNotificationPort&>(*this), settings.image,
                                                TextsFor(language).MouseNotDetected);
      device_->StartUp();
      SyncDeviceState();
      return settings.devicePresent;
    }
    case StartupStep::LoadConfig:
      // The settings files are read in one go, in their order; the next
      // steps take their results. A save this start finishes is no change
      // from elsewhere.
      startupSettings_ = LoadSettingsAtStart(settings, config_, strIni_, [this] { shared_.Remember(); });
      appliedLabels_ = settings.labels;
      return startupSettings_.configLoad == ConfigLoadResult::Loaded;
    case StartupStep::CopySavedSettings:
    case StartupStep::ReadLanguage:
      return true;
    case StartupStep::SetTexts:
      language_ = settings.language;
      texts_ = &TextsFor(language_);
      ports_.tray.SetExitText(texts_->Exit);
      return true;
    case StartupStep::LoadLabelsAndSkinKeys:
      skinKeys_ = startupSettings_.skinKeys;
      return true;
    case StartupStep::LoadBackground:
      skinFolder_ = skinFolderFor_(skinKeys_.skinName);
      return ports_.window.LoadBackground(skinFolder_);
    case StartupStep::PublishSkin: {
      state_.SkinFolder = skinFolder_;
      state_.SkinName = skinKeys_.skinName;
      state_.TextColor = startupSettings_.uiTextColor;
      return true;
    }
    case StartupStep::BuildPage:
      BuildPage();
      return true;
    case StartupStep::Done:
      return true;
    default:
      return ports_.window.RunPlatformStep(step);
  }
}

void MainController::SyncDeviceState() {
  SettingsSession& settings = state_.Settings;
  settings.devicePresent = device_->DevicePresent() == 1;
  settings.dpiTableVariant = device_->DpiTableVariant();
}

void MainController::OnTrayMouse(TrayMouse event) {
  SettingsSession& settings = state_.Settings;
  const TrayState trayState{settings.devicePresent, settings.labelsReloadPending, state_.PageState,
                            state_.PageBuiltOnce};
  const TrayClickPlan plan = DecideTrayClick(event, trayState);
  // A click while a start-up step's box is up: the mouse, texts, skin and
  // fonts are not settled yet, and a page built now would stay blank.
  if (starting_ && (plan.action == TrayAction::ShowWindow || plan.action == TrayAction::NotifyNotDetected)) {
    showAsked_ = true;
    return;
  }
  switch (plan.action) {
    case TrayAction::Nothing:
      return;
    case TrayAction::NotifyNotDetected:
      MouseNotDetected();
      return;
    case TrayAction::ShowExitMenu:
      ports_.tray.ShowExitMenu(Texts().Exit);
      return;
    case TrayAction::ShowWindow: {
      // Asked before the flag below is cleared: after a Cancel no edits remain.
      const bool takeFiles = TakeSharedFiles(SharedFilesMoment::Show);
      if (plan.clearLabelsReloadPending) settings.labelsReloadPending = false;
      // After a Cancel the page shows the restored model and the labels as
      // saved; after another program's change, what the files hold.
      const bool rebuild = plan.rebuildPage || (takeFiles && state_.PageState == kPageBuilt);
      if (rebuild && page_ != nullptr) {
        page_->Rebuild([this, takeFiles] { RereadFiles(takeFiles); });
      } else if (takeFiles) {
        RereadFiles(true);
      }
      if (plan.buildPage) BuildPage();
      ShowWindow();
      return;
    }
  }
}

void MainController::OnShowRequest() {
  if (starting_) {
    showAsked_ = true;
    return;
  }
  const bool present = state_.Settings.devicePresent;
  OnTrayMouse(TrayMouse::LeftUp);
  if (!trayShown_ && !present) ShowWindow();
}

void MainController::OnNotification(std::uint64_t type, std::int64_t value) {
  // Before the texts are set (the start-up's own not-detected notice), this
  // speaks the language of the settings file rather than show an empty balloon.
  const SettingsSession& settings = state_.Settings;
  auto label = [&](int stage) { return StageDpiLabelOf(settings.model, settings.dpiTableVariant, stage); };
  const std::optional<Balloon> balloon = DecideNotification(type, value, Texts(), label);
  if (balloon) ports_.tray.ShowBalloon(balloon->text, balloon->title, balloon->timeoutMs);
}

void MainController::OnDeviceChange(DeviceEvent event, DeviceKind kind, TextView deviceName) {
  if (device_ == nullptr) return;
  device_->OnDeviceChange(event, kind, deviceName);
  SyncDeviceState();
}

void MainController::OnMousePlugged(bool arrived) {
  if (device_ == nullptr) return;
  device_->OnMouseChange(arrived);
  SyncDeviceState();
}

void MainController::OnCloseRequest() {
  if (trayShown_) {
    HideMainWindow();
  } else {
    ExitProgram();
  }
}

void MainController::OnTrayAvailability(bool available) {
  if (available == trayShown_) return;
  trayShown_ = available;
  ports_.window.SetBehindIcon(available);
  // A window left behind an icon that is gone could only come back through a
  // second start: the no-tray rule shows it, as a start without an icon does
  // (the start-up shows it at its end in any case).
  if (available || windowShown_ || starting_) return;
  if (state_.Settings.devicePresent) {
    OnTrayMouse(TrayMouse::LeftUp);  // the icon's show: a Cancel's rebuild included
  } else {
    ShowWindow();
  }
}

void MainController::ReleaseAtExit() {
  if (device_ != nullptr) device_->Close();
  ports_.tray.Remove();
}

void MainController::ExitProgram() {
  ReleaseAtExit();
  ports_.window.Exit();
}

ApplyPorts MainController::Ports() {
  return ApplyPorts{device_->Operations(), config_, strIni_, static_cast<MainWindowPort&>(*this)};
}

void MainController::Ok() {
  if (device_ == nullptr) return;
  const bool applies = state_.Settings.devicePresent;
  OkCommand(state_.Settings, Ports());
  if (applies) FilesInStep();
}

void MainController::Apply() {
  if (device_ == nullptr) return;
  const bool applies = state_.Settings.devicePresent;
  ApplyCommand(state_.Settings, Ports());
  if (applies) FilesInStep();
}

// Files changed by another program: Cancel returns to what they hold now,
// not to this page's last load. The labels follow at the next show, read
// with the model again, as after every Cancel.
void MainController::Cancel() {
  if (TakeSharedFiles(SharedFilesMoment::Cancel)) TakeSavedFromFiles();
  CancelCommand(state_.Settings, static_cast<MainWindowPort&>(*this));
}

bool MainController::TakeSharedFiles(SharedFilesMoment moment) {
  const bool edits = HasUnappliedEdits(state_.Settings, appliedLabels_);
  return DecideSharedFiles(moment, shared_.ChangedElsewhere(), edits) == SharedFilesAction::TakeFiles;
}

// A config.bin gone or damaged meanwhile gives nothing to take: the last
// saved copy stays. The flag comes along: a first build after another
// program saved labels with its model must not put the factory labels over
// them.
void MainController::TakeSavedFromFiles() {
  if (std::optional<ConfigFile::Contents> contents = config_.CurrentContents()) {
    state_.Settings.saved = contents->model;
    state_.Settings.firstRunFlag = contents->firstRunFlag;
  }
}

void MainController::RereadFiles(bool withModel) {
  SettingsSession& settings = state_.Settings;
  // Another program's save killed between the two files is finished first,
  // so that the labels read belong to config.bin as it is now (the model a
  // Cancel took from it, or the one taken below).
  SettleInterruptedSave(config_, strIni_);
  // Before the reads: a write that comes between them is seen next time.
  shared_.Remember();
  if (withModel) {
    TakeSavedFromFiles();
    settings.model = settings.saved;
  }
  skinKeys_ = ReloadLabels(settings, strIni_);
  appliedLabels_ = settings.labels;
}

void MainController::BuildPage() {
  if (page_ == nullptr) return;
  const bool firstBuild = !state_.PageBuiltOnce;
  page_->Build();
  // A first run's first build writes the factory labels: the page's own
  // write, neither an edit nor a change from elsewhere.
  if (firstBuild && state_.Settings.firstRunFlag == 0) FilesInStep();
}

void MainController::FilesInStep() {
  shared_.Remember();
  appliedLabels_ = state_.Settings.labels;
}

void MainController::OnScaleChanged(const std::function<void()>& reread) {
  if (page_ != nullptr && state_.PageState == kPageBuilt) {
    page_->Rebuild(reread);
  } else {
    reread();
  }
}

// After OK the page is drawn again from the new skin folder and text colour,
// then brought to the front.
void MainController::RunSkinFlow() {
  const std::optional<SkinChoice> choice = ports_.skins.Run(DialogContextOf(state_), state_.SkinName);
  if (!choice) return;
  // Its own write to str.ini is no change from elsewhere; one before it still is.
  const bool changedBefore = shared_.ChangedElsewhere();
  ApplySkinChoice(state_, strIni_, *choice);
  if (!changedBefore) shared_.Remember();
  if (page_ != nullptr) page_->Rebuild({});
  ShowWindow();
}

const InterfaceTexts& MainController::Texts() const {
  return texts_ != nullptr ? *texts_ : TextsFor(LanguageFromCode(ReadLanguageCode(strIni_)));
}

void MainController::MouseDetected() { OnNotification(kNotifyMouseDetected, 0); }

void MainController::MouseNotDetected() { OnNotification(kNotifyMouseNotDetected, 0); }

void MainController::HideMainWindow() {
  windowShown_ = false;
  if (trayShown_) {
    ports_.window.Hide();
  } else {
    ports_.window.Minimise();
  }
}

void MainController::ShowWindow() {
  windowShown_ = true;
  ports_.window.ShowToFront();
}

}  // namespace px
