#include "app/win32/orvane_dlg.h"

#include <dbt.h>
#include <windowsx.h>

#include <string>

#include "app/app_state.h"
#include "app/notification.h"
#include "app/tray_click.h"
#include "app/win32/resource_ids.h"
#include "app/win32/skin_flow_win32.h"
#include "app/win32/utility_bus.h"
#include "app/win32/win32_text.h"
#include "device/win32/device_change_win32.h"
#include "skin/skin_paths.h"
#include "storage/config_file.h"
#include "storage/settings_paths.h"

namespace px {

namespace {

HWND g_mainWindow = nullptr;

// The canvas when the skin has no background: the size of the shipped pictures.
constexpr int kPlainPageWidth = 880;
constexpr int kPlainPageHeight = 660;
constexpr COLORREF kPlainPageColor = RGB(24, 26, 32);

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
  config_ = std::make_unique<ConfigFile>(files_, boxes_, configPath_);
  TheAppState().TextColor = UiTextColor{0, 255, 0};
}

COrvaneDlg::~COrvaneDlg() = default;

HWND COrvaneDlg::MainWindow() { return g_mainWindow; }

bool COrvaneDlg::OnInitDialog() {
  CreatePage();
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
    case StartupStep::LoadConfig:
      // The settings files are read in one go, in their order, by the same
      // core the tests check; the next steps take their results.
      startupSettings_ = LoadSettingsAtStart(state.Settings, *config_, *ini_);
      return startupSettings_.configLoad == ConfigLoadResult::Loaded;
    case StartupStep::CopySavedSettings:
    case StartupStep::ReadLanguage:
      return true;
    case StartupStep::SetTexts:
      language_ = state.Settings.language;
      texts_ = &TextsFor(language_);
      return true;
    case StartupStep::LoadLabelsAndSkinKeys:
      skinKeys_ = startupSettings_.skinKeys;
      return true;
    case StartupStep::LoadBackground:
      skinFolder_ = SkinFolderFor(executablePath_, skinKeys_.skinName);
      LoadBackgroundOrPlain();
      return static_cast<bool>(background_);
    case StartupStep::ResizeToBackground: {
      BITMAP size{};
      ::GetObjectW(canvas_, sizeof(size), &size);
      ::SetWindowPos(hwnd, nullptr, 0, 0, size.bmWidth, size.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
      return true;
    }
    case StartupStep::PublishSkin: {
      state.SkinFolder = skinFolder_;
      state.SkinName = skinKeys_.skinName;
      const Rgb color = startupSettings_.uiTextColor;
      state.TextColor = UiTextColor{color[0], color[1], color[2]};
      return true;
    }
    case StartupStep::CreateFonts:
      normalFont_ = CreateUiFont(language_, FontRole::Body);
      boldFont_ = CreateUiFont(language_, FontRole::Heading);
      return true;
    case StartupStep::BuildPage:
      page_->BuildPage();
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
  if (message.message == WM_MOUSEMOVE && pageView_ != nullptr && TheAppState().PageState == kPageBuilt) {
    pageView_->SelectItemUnderPointer(message);
  }
  return Dialog::PreTranslateMessage(message);
}

std::optional<LRESULT> COrvaneDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    tray_.Restore();
    return 0;
  }
  // Page messages only once the page exists (not during the window's creation).
  const bool page = page_ != nullptr;
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
    case WM_LBUTTONDOWN:
      // The dispatch may post a drag; the button-down itself goes on to the default handling.
      if (page) {
        chooserRanInClick_ = false;
        page_->DispatchClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (chooserRanInClick_) DropPostedDrag();
      }
      break;
    case WM_MOUSEMOVE:
      if (page) page_->OnPageMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_MOUSEHOVER:
      if (page) page_->OnPageHover({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (!page) break;
      if (auto brush = pageView_->ControlColors(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == kExitCommand && HIWORD(wParam) == 0) ExitProgram();
      if (page && (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)) page_->OnListChosen(LOWORD(wParam));
      break;
    default:
      break;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

// The skin chooser took the click's release (it ends on a press of its own),
// so a drag asked for after it would never see the button go up: the window
// would follow the pointer until the next click.
void COrvaneDlg::DropPostedDrag() {
  MSG drag{};
  while (::PeekMessageW(&drag, Hwnd(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE | PM_NOYIELD)) {
  }
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
      // After a Cancel the page shows the restored model and the labels as saved.
      if (plan.rebuildPage) page_->Rebuild([&] { skinKeys_ = ReloadLabels(state.Settings, *ini_); });
      if (plan.buildPage) page_->BuildPage();
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
  // Copies the background through an off-screen surface.
  SkinComposition copy(Hwnd(), dc, canvas_);
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

const InterfaceTexts& COrvaneDlg::Texts() const {
  return texts_ != nullptr ? *texts_ : TextsFor(LanguageFromCode(ReadLanguageCode(*ini_)));
}

void COrvaneDlg::CreatePage() {
  AppState& state = TheAppState();
  pageView_ = std::make_unique<PageWin32View>(
      Hwnd(), PageViewResources{canvas_, state.SkinFolder, state.TextColor, normalFont_, boldFont_, state.Settings.model});
  page_ = std::make_unique<SettingsPage>(state.Settings, PageFlags{state.PageState, state.PageBuiltOnce}, *ini_,
                                         *pageView_, static_cast<PageCommands&>(*this));
}

void COrvaneDlg::LoadBackgroundOrPlain() {
  if (background_.Load(SkinImagePath(skinFolder_, u"/main.png"), kMainWindowFrameExtent)) {
    canvas_ = background_.Handle();
    return;
  }
  winui::WindowDc screen(nullptr);
  plainBackground_.Reset(::CreateCompatibleBitmap(screen.Get(), kPlainPageWidth, kPlainPageHeight));
  winui::UniqueMemoryDc dc(::CreateCompatibleDC(screen.Get()));
  if (plainBackground_ && dc) {
    winui::SelectGuard select(dc.Get(), plainBackground_.Get());
    RECT all{0, 0, kPlainPageWidth, kPlainPageHeight};
    winui::UniqueBrush fill(::CreateSolidBrush(kPlainPageColor));
    ::FillRect(dc.Get(), &all, fill.Get());
    // The skin's own buttons are missing too: mark minimise and close where they work.
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), RGB(220, 220, 220));
    winui::SelectGuard font(dc.Get(), ::GetStockObject(DEFAULT_GUI_FONT));
    for (auto [rect, mark] : {std::pair{RECT{825, 5, 843, 23}, L"_"}, std::pair{RECT{850, 5, 868, 23}, L"X"}}) {
      ::DrawTextW(dc.Get(), mark, 1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  canvas_ = plainBackground_.Get();
}

ApplyPorts COrvaneDlg::Ports() {
  return ApplyPorts{device_->Operations(), *config_, *ini_, static_cast<MainWindowPort&>(*this)};
}

void COrvaneDlg::Ok() {
  if (device_ != nullptr) OkCommand(TheAppState().Settings, Ports());
}

void COrvaneDlg::Apply() {
  if (device_ != nullptr) ApplyCommand(TheAppState().Settings, Ports());
}

void COrvaneDlg::Cancel() { CancelCommand(TheAppState().Settings, static_cast<MainWindowPort&>(*this)); }

// After OK the page is drawn again from the new skin folder and text colour
// (the background stays the one decoded at start), then brought to the front.
void COrvaneDlg::RunSkinFlow() {
  chooserRanInClick_ = true;
  if (!px::RunSkinFlow(Hwnd(), TheAppState())) return;
  if (page_ != nullptr) page_->Rebuild();
  ::SetForegroundWindow(Hwnd());
  ::ShowWindow(Hwnd(), SW_SHOW);
}

}  // namespace px
