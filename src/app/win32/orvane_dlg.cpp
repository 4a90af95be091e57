#include "app/win32/orvane_dlg.h"

#include <dbt.h>

#include <string>

#include "app/app_state.h"
#include "app/notification.h"
#include "app/tray_click.h"
#include "app/win32/resource_ids.h"
#include "app/win32/utility_bus.h"
#include "app/win32/win32_text.h"
#include "device/win32/device_change_win32.h"
#include "skin/skin_paths.h"
#include "storage/config_file.h"
#include "storage/settings_paths.h"

namespace px {

namespace {

HWND g_mainWindow = nullptr;

constexpr TextView kMutexName = u"PX6410Mutex";
constexpr DWORD kRemoveAppWindow = 0x40000;  // WS_EX_APPWINDOW
constexpr DWORD kAddToolWindow = 0x80;       // WS_EX_TOOLWINDOW
// The HID device interface class.
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

void ShowBox(HWND owner, TextView text, TextView caption) {
  WindowMessageBox box(owner);
  box.ShowMessage(text, caption);
}

}  // namespace

COrvaneDlg::COrvaneDlg() : Dialog(IDD_ORVANE_DIALOG, nullptr) {
  executablePath_ = RunningExecutablePath();
  SettingsPaths paths = BuildSettingsPaths(executablePath_);
  executableFolder_ = paths.executableFolder;
  configPath_ = paths.configFile;
  ini_ = std::make_unique<Win32ProfileStore>(paths.iniFile);
  TheAppState().TextColor = UiTextColor{0, 255, 0};
}

COrvaneDlg::~COrvaneDlg() = default;

HWND COrvaneDlg::MainWindow() { return g_mainWindow; }

bool COrvaneDlg::OnInitDialog() {
  StartupStep step = StartupStep::CheckSingleInstance;
  while (step != StartupStep::Done) {
    const bool succeeded = RunStartupStep(step);
    if (step == StartupStep::CheckSingleInstance && !succeeded) {
      // Another instance runs: leave at once, changing nothing.
      ::ExitProcess(0);
    }
    const bool devicePresent = device_ != nullptr && device_->DevicePresent() == 1;
    step = NextStartupStep(step, succeeded, devicePresent);
  }
  return true;
}

bool COrvaneDlg::RunStartupStep(StartupStep step) {
  AppState& state = TheAppState();
  HWND hwnd = Hwnd();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  switch (step) {
    case StartupStep::CheckSingleInstance: {
      // The mutex marks this instance for the whole run; it is never closed.
      HANDLE mutex = ::CreateMutexW(nullptr, FALSE, WideString(kMutexName).c_str());
      const bool another = ::GetLastError() == ERROR_ALREADY_EXISTS;
      static_cast<void>(mutex);
      return !another;
    }
    case StartupStep::DialogInit:
      return true;
    case StartupStep::SetIcons:
      icon_ = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
      smallIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                   LR_SHARED));
      ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
      ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
      return true;
    case StartupStep::ToolWindowStyle: {
      auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
      exStyle = (exStyle & ~kRemoveAppWindow) | kAddToolWindow;
      ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
      return true;
    }
    case StartupStep::PublishWindow:
      g_mainWindow = hwnd;
      boxes_.SetOwner(hwnd);
      return true;
    case StartupStep::MessageFilter: {
      // Lower-privileged processes may send the tray callback and the notifications.
      const bool first = ::ChangeWindowMessageFilter(kTrayCallbackMessage, MSGFLT_ADD) != FALSE;
      const bool second = ::ChangeWindowMessageFilter(kNotificationMessage, MSGFLT_ADD) != FALSE;
      if (!first || !second) ShowBox(hwnd, u"ChangeWindowMessageFilter failed", kApplicationTitle);
      return first && second;
    }
    case StartupStep::AddTrayIcon:
      tray_.Add(hwnd, icon_);
      // The window lives only behind its icon: when Explorer restarts, the
      // icon must come back or the program could be neither shown nor ended.
      taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
      if (taskbarCreated_ != 0) ::ChangeWindowMessageFilter(taskbarCreated_, MSGFLT_ADD);
      return true;
    case StartupStep::DiscoverMouse: {
      // The session's boxes speak the language of the settings file.
      const Language language = LanguageFromCode(ReadLanguageCode(*ini_));
      bus_ = MakeUtilityHidBus(executableFolder_);
      device_ = std::make_unique<DeviceSession>(*bus_, boxes_, waits_, static_cast<DeviceNotificationPort&>(*this), state.Settings.image,
                                                TextsFor(language).MouseNotDetected);
      device_->StartUp();
      SyncDeviceState();
      return state.Settings.devicePresent;
    }
    case StartupStep::RegisterDeviceNotification: {
      DEV_BROADCAST_DEVICEINTERFACE_W filter{};
      filter.dbcc_size = sizeof(filter);
      filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
      filter.dbcc_classguid = kHidInterfaceClass;
      deviceNotify_.Reset(::RegisterDeviceNotificationW(hwnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
      if (!deviceNotify_) {
        ShowBox(hwnd, u"RegisterDeviceNotification failed!!!", kApplicationTitle);
        return false;
      }
      return true;
    }
    case StartupStep::LoadConfig: {
      ConfigFile config(files_, boxes_, configPath_);
      return config.Load(state.Settings.firstRunFlag, state.Settings.model) == ConfigLoadResult::Loaded;
    }
    case StartupStep::CopySavedSettings:
      state.Settings.saved = state.Settings.model;
      return true;
    case StartupStep::ReadLanguage:
      state.Settings.languageCode = ReadLanguageCode(*ini_);
      return true;
    case StartupStep::SetTexts:
      language_ = state.Settings.language = LanguageFromCode(state.Settings.languageCode);
      texts_ = &TextsFor(language_);
      return true;
    case StartupStep::LoadLabelsAndSkinKeys:
      LoadLabelsAndSkinKeys();
      return true;
    case StartupStep::LoadBackground:
      skinFolder_ = SkinFolderFor(executablePath_, skinKeys_.skinName);
      return background_.Load(SkinImagePath(skinFolder_, u"/main.png"), kMainWindowFrameExtent);
    case StartupStep::ResizeToBackground:
      // Without a picture the window keeps its template size, so that it can
      // still be seen and closed.
      if (background_) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, background_.Width(), background_.Height(), SWP_NOMOVE | SWP_NOZORDER);
      }
      return true;
    case StartupStep::PublishSkin: {
      state.SkinFolder = skinFolder_;
      state.SkinName = skinKeys_.skinName;
      const Rgb color = ParseUiTextColor(skinKeys_);
      state.TextColor = UiTextColor{color[0], color[1], color[2]};
      return true;
    }
    case StartupStep::CreateFonts:
      normalFont_ = CreateUiFont(language_, FontRole::Body);
      boldFont_ = CreateUiFont(language_, FontRole::Heading);
      return true;
    case StartupStep::BuildPage:
      BuildPage();
      return true;
    case StartupStep::Done:
      return true;
  }
  return true;
}

bool COrvaneDlg::PreTranslateMessage(MSG& message) {
  HWND hwnd = Hwnd();
  if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) &&
      (message.hwnd == hwnd || ::IsChild(hwnd, message.hwnd))) {
    // Neither key ever ends the main window: it only goes back to the tray.
    Hide();
    return true;
  }
  return Dialog::PreTranslateMessage(message);
}

std::optional<LRESULT> COrvaneDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    tray_.Restore();
    return 0;
  }
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      // Until the tray shows the window, no show gets through at all: the
      // frame-paint counter alone leaves the window mapped for a moment on
      // some systems (Wine maps it before the hide takes effect).
      if (hideCounter_.Remaining() > 0) {
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
      }
      return std::nullopt;
    case WM_NCPAINT:
      if (hideCounter_.TakeHide()) {
        ::ShowWindow(Hwnd(), SW_HIDE);
        return 0;
      }
      return std::nullopt;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_PAINT:
      if (::IsIconic(Hwnd())) {
        PaintIconic();
        return 0;
      }
      return std::nullopt;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(icon_);
    case WM_CLOSE:
      Hide();
      return 0;
    case WM_DESTROY:
      ReleaseAtExit();
      return std::nullopt;
    case WM_DEVICECHANGE:
      if (device_ != nullptr) {
        OnDeviceChangeMessage(*device_, wParam, lParam);
        SyncDeviceState();
      }
      return TRUE;
    case kTrayCallbackMessage:
      OnTrayCallback(lParam);
      return 0;
    case kNotificationMessage:
      OnNotification(wParam, lParam);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kExitCommand && HIWORD(wParam) == 0) ExitProgram();
      break;
    default:
      break;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

void COrvaneDlg::SyncDeviceState() {
  SettingsSession& settings = TheAppState().Settings;
  settings.devicePresent = device_->DevicePresent() == 1;
  settings.dpiTableVariant = device_->DpiTableVariant();
}

void COrvaneDlg::Hide() { ::ShowWindow(Hwnd(), SW_HIDE); }

void COrvaneDlg::ShowFromTray() {
  hideCounter_.Stop();
  ::SetForegroundWindow(Hwnd());
  ::ShowWindow(Hwnd(), SW_SHOW);
}

void COrvaneDlg::MouseDetected() { ::SendMessageW(Hwnd(), kNotificationMessage, kNotifyMouseDetected, 0); }

void COrvaneDlg::MouseNotDetected() { ::SendMessageW(Hwnd(), kNotificationMessage, kNotifyMouseNotDetected, 0); }

void COrvaneDlg::OnTrayCallback(LPARAM mouseMessage) {
  AppState& state = TheAppState();
  TrayState trayState{state.Settings.devicePresent, state.Settings.labelsReloadPending, state.PageState,
                      state.PageBuiltOnce};
  const TrayClickPlan plan = DecideTrayClick(static_cast<std::int64_t>(mouseMessage), trayState);
  switch (plan.action) {
    case TrayAction::Nothing:
      return;
    case TrayAction::NotifyNotDetected:
      MouseNotDetected();
      return;
    case TrayAction::ShowExitMenu:
      ShowExitMenu();
      return;
    case TrayAction::ShowWindow:
      if (plan.clearLabelsReloadPending) state.Settings.labelsReloadPending = false;
      if (plan.rebuildPage) {
        state.PageState = kPageRebuilding;
        TearDownPage();
        LoadLabelsAndSkinKeys();
        state.PageState = kPageNotBuilt;
        BuildPage();
      }
      if (plan.buildPage) BuildPage();
      ShowFromTray();
      return;
  }
}

void COrvaneDlg::OnNotification(WPARAM type, LPARAM value) {
  const AppState& state = TheAppState();
  // Before the texts are set (the start-up's own not-detected notice), this
  // speaks the language of the settings file rather than show an empty balloon.
  const InterfaceTexts& texts = Texts();
  auto label = [&](int stage) {
    return StageDpiLabelOf(state.Settings.model, state.Settings.dpiTableVariant, stage);
  };
  std::optional<Balloon> balloon =
      DecideNotification(static_cast<std::uint64_t>(type), static_cast<std::int64_t>(value), texts, label);
  if (balloon) tray_.ShowBalloon(balloon->text, balloon->title, balloon->timeoutMs);
}

void COrvaneDlg::ShowExitMenu() {
  winui::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  std::wstring exitText = WideString(Texts().Exit);
  ::AppendMenuW(menu.Get(), MF_STRING, kExitCommand, exitText.c_str());
  ::SetForegroundWindow(Hwnd());
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, Hwnd(), nullptr);
  // A menu tracked for a notification icon needs a task switch after it, or
  // the next one opens and closes at once.
  ::PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

void COrvaneDlg::ReleaseAtExit() {
  if (device_ != nullptr) device_->Close();
  tray_.Remove();
}

void COrvaneDlg::ExitProgram() {
  ReleaseAtExit();
  ::ExitProcess(0);
}

void COrvaneDlg::EraseBackground(HDC dc) {
  // Copies the background through an off-screen surface; black without one.
  SkinComposition copy(Hwnd(), dc, background_.Handle());
}

void COrvaneDlg::PaintIconic() {
  winui::PaintDc paint(Hwnd());
  ::SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(paint.Get(), x, y, icon_);
}

// Into the window's own strings: the skin and colour in force stay as
// published at start (or by the skin chooser) until the skin changes.
void COrvaneDlg::LoadLabelsAndSkinKeys() {
  TheAppState().Settings.labels = LoadLabels(*ini_, language_);
  skinKeys_ = LoadSkinKeys(*ini_);
}

const InterfaceTexts& COrvaneDlg::Texts() const {
  return texts_ != nullptr ? *texts_ : TextsFor(LanguageFromCode(ReadLanguageCode(*ini_)));
}

void COrvaneDlg::BuildPage() {
  AppState& state = TheAppState();
  if (state.PageState == kPageBuilt) return;
  state.PageState = kPageBuilt;
  state.PageBuiltOnce = true;
  SkinComposition draw(Hwnd(), background_.Handle());
  if (draw.HasCanvas()) DrawPage(draw.Dc());
}

void COrvaneDlg::TearDownPage() {}

void COrvaneDlg::DrawPage(HDC dc) {
  const AppState& state = TheAppState();
  const InterfaceTexts& texts = Texts();
  auto image = [&](TextView name, int x, int y) {
    DrawSkinImage(Hwnd(), dc, SkinImagePath(state.SkinFolder, name), x, y, SkinLoadFailure::Silent);
  };

  image(u"/BasicSet2.png", 0, 0);
  image(u"/button-Skins-normal.png", 701, 5);
  image(u"/button-min-normal.png", 825, 5);
  image(u"/button-close-normal.png", 850, 5);
  image(u"/button-PrePage-normal.png", 44, 54);
  for (int x : {562, 666, 770}) image(u"/button-normal.png", x, 623);
  image(u"/button-normal.png", 307, 549);
  const bool modeB = state.Settings.model.ButtonMode == 1;
  image(modeB ? u"/button-normal.png" : u"/button-over.png", 253, 518);
  image(modeB ? u"/button-over.png" : u"/button-normal.png", 357, 518);
  constexpr std::array<int, 4> kRowTops = {199, 222, 245, 268};
  for (int top : kRowTops) image(u"/DropdownBox-normal.png", 252, top);

  PrepareUiText(dc, boldFont_.Get(), state.TextColor);
  DrawUiText(dc, texts.BasicSettings, RECT{90, 51, 236, 99});
  PrepareUiText(dc, normalFont_.Get(), state.TextColor);
  DrawUiText(dc, texts.KeySetting, RECT{259, 160, 364, 181});
  DrawUiText(dc, texts.ReportRateSetting, RECT{504, 161, 609, 182});
  DrawUiText(dc, texts.DpiSetting, RECT{504, 275, 609, 296});
  DrawUiText(dc, texts.DpiEffect, RECT{704, 275, 809, 296});
  DrawUiText(dc, texts.WebSite, RECT{273, 627, 449, 647});
  DrawUiText(dc, texts.Ok, RECT{562, 623, 667, 644});
  DrawUiText(dc, texts.Apply, RECT{666, 623, 771, 644});
  DrawUiText(dc, texts.Cancel, RECT{770, 623, 875, 644});
  DrawUiText(dc, texts.Default, RECT{307, 549, 412, 570});
  DrawUiText(dc, u"Mode A", RECT{253, 518, 358, 539});
  DrawUiText(dc, u"Mode B", RECT{357, 518, 462, 539});
  for (std::size_t row = 0; row < kRowTops.size(); ++row) {
    const int top = kRowTops[row];
    const char16_t digit[2] = {static_cast<char16_t>(u'1' + row), u'\0'};
    DrawUiText(dc, digit, RECT{252, top, 272, top + 21});
    DrawUiText(dc, state.Settings.labels[row + (modeB ? 8u : 0u)], RECT{272, top, 463, top + 21}, TextAlign::Left);
  }
}

}  // namespace px
