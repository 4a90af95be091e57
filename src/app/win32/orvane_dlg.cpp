#include "app/win32/orvane_dlg.h"

#include <dbt.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/notification.h"
#include "app/tray_click.h"
#include "app/win32/resource_ids.h"
#include "app/win32/skin_canvas.h"
#include "app/win32/utility_bus.h"
#include "app/win32/win32_text.h"
#include "device/dpi_table.h"
#include "skin/skin_paths.h"
#include "skin/ui_font.h"

namespace px {

namespace {

HWND g_mainWindow = nullptr;

constexpr TextView kMutexName = u"PX6410Mutex";
constexpr TextView kSkinsSection = u"Skins";
constexpr DWORD kRemoveAppWindow = 0x40000;  // WS_EX_APPWINDOW
constexpr DWORD kAddToolWindow = 0x80;       // WS_EX_TOOLWINDOW
// The HID device interface class.
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

// Label keys of str.ini: Mode A buttons 1..8, then Mode B buttons 1..8.
constexpr std::array<TextView, 16> kLabelKeys = {u"Item1",  u"Item2",  u"Item3",  u"Item4",  u"Item5",  u"Item6",
                                                 u"Item7",  u"Item8",  u"Item13", u"Item23", u"Item33", u"Item43",
                                                 u"Item53", u"Item63", u"Item73", u"Item83"};

constexpr UINT kDrawCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;  // 0x25
constexpr UINT kDrawLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE;      // 0x24

void ShowBox(HWND owner, TextView text, TextView caption) {
  WindowMessageBox box(owner);
  box.ShowMessage(text, caption);
}

void DrawTextIn(HDC dc, TextView text, RECT rect, UINT format) {
  std::wstring wide = WideString(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

}  // namespace

COrvaneDlg::COrvaneDlg() : Dialog(IDD_ORVANE_DIALOG, nullptr) {
  executablePath_ = ModuleFilePath();
  executableFolder_ = ExecutableFolder(executablePath_);
  configPath_ = executableFolder_ + u"config.bin";
  iniPath_ = executableFolder_ + u"str.ini";
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
      return true;
    case StartupStep::DiscoverMouse: {
      // The session's boxes speak the language of the settings file.
      const Language language = LanguageFromCode(ReadProfile(kSkinsSection, u"Lan"));
      bus_ = MakeUtilityHidBus(executableFolder_);
      device_ = std::make_unique<DeviceSession>(*bus_, boxes_, waits_, static_cast<DeviceNotificationPort&>(*this), state.Image,
                                                TextsFor(language).MouseNotDetected);
      return device_->StartUp();
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
      LoadConfig();
      return true;
    case StartupStep::CopySavedSettings:
      state.Saved = state.Model;
      return true;
    case StartupStep::ReadLanguage:
      state.LanguageCode = ReadProfile(kSkinsSection, u"Lan");
      return true;
    case StartupStep::SetTexts:
      language_ = LanguageFromCode(state.LanguageCode);
      texts_ = &TextsFor(language_);
      return true;
    case StartupStep::LoadLabelsAndSkinKeys:
      LoadLabelsAndSkinKeys();
      return true;
    case StartupStep::LoadBackground:
      state.SkinFolder = SkinFolderFor(executablePath_, state.SkinName);
      background_ = LoadPictureBitmap(SkinImagePath(state.SkinFolder, u"/main.png"), backgroundSize_);
      return static_cast<bool>(background_);
    case StartupStep::ResizeToBackground:
      // Without a picture the window keeps its template size, so that it can
      // still be seen and closed.
      if (background_) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, backgroundSize_.cx, backgroundSize_.cy, SWP_NOMOVE | SWP_NOZORDER);
      }
      return true;
    case StartupStep::PublishSkin:
      state.TextColor = UiTextColor{ColorComponentFromText(colorR_), ColorComponentFromText(colorG_),
                                    ColorComponentFromText(colorB_)};
      return true;
    case StartupStep::CreateFonts: {
      const WindowsVersion version = VersionFromGetVersion(::GetVersion());
      auto make = [&](FontRole role) {
        UiFontChoice choice = ChooseUiFont(language_, role, version);
        std::wstring face = WideString(choice.face);
        return winui::UniqueFont(::CreateFontW(choice.height, 0, 0, 0, choice.weight, FALSE, FALSE, FALSE,
                                               choice.charset, 0, 0, 0, choice.pitchAndFamily, face.c_str()));
      };
      normalFont_ = make(FontRole::Body);
      boldFont_ = make(FontRole::Heading);
      return true;
    }
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
  switch (message) {
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
      return OnDeviceChange(wParam, lParam);
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
  TrayState trayState{device_ != nullptr && device_->DevicePresent() == 1, state.LabelsReloadPending, state.PageState,
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
      if (plan.clearLabelsReloadPending) state.LabelsReloadPending = false;
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
  // Before the texts are set (the start-up's own not-detected notice), speak
  // the language of the settings file rather than show an empty balloon.
  const InterfaceTexts& texts =
      texts_ != nullptr ? *texts_ : TextsFor(LanguageFromCode(ReadProfile(kSkinsSection, u"Lan")));
  const std::uint8_t variant = device_ != nullptr ? device_->DpiTableVariant() : std::uint8_t{0};
  auto label = [&](int stage) { return StageDpiLabelOf(state.Model, variant, stage); };
  std::optional<Balloon> balloon =
      DecideNotification(static_cast<std::uint64_t>(type), static_cast<std::int64_t>(value), texts, label);
  if (balloon) tray_.ShowBalloon(balloon->text, balloon->title, balloon->timeoutMs);
}

void COrvaneDlg::ShowExitMenu() {
  const InterfaceTexts& texts = texts_ != nullptr ? *texts_ : TextsFor(Language::English);
  winui::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  std::wstring exitText = WideString(texts.Exit);
  ::AppendMenuW(menu.Get(), MF_STRING, kExitCommand, exitText.c_str());
  ::SetForegroundWindow(Hwnd());
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, Hwnd(), nullptr);
}

void COrvaneDlg::ReleaseAtExit() {
  if (device_ != nullptr) device_->Close();
  tray_.Remove();
}

void COrvaneDlg::ExitProgram() {
  ReleaseAtExit();
  ::ExitProcess(0);
}

LRESULT COrvaneDlg::OnDeviceChange(WPARAM event, LPARAM header) {
  if (device_ == nullptr) return TRUE;
  std::uint32_t deviceType = 0;
  Text name;
  const auto eventCode = static_cast<std::uint32_t>(event);
  // Only these two events carry a broadcast header worth reading.
  if ((eventCode == DBT_DEVICEARRIVAL || eventCode == DBT_DEVICEREMOVECOMPLETE) && header != 0) {
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_HDR*>(header);
    deviceType = broadcast->dbch_devicetype;
    if (deviceType == DBT_DEVTYP_DEVICEINTERFACE && broadcast->dbch_size > offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
      const auto* iface = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
      // The name never runs past the size the header declares.
      const std::size_t room =
          (broadcast->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
      const std::size_t length = ::wcsnlen(iface->dbcc_name, room);
      name.assign(reinterpret_cast<const char16_t*>(iface->dbcc_name), length);
    }
  }
  device_->OnDeviceChange(eventCode, deviceType, name);
  return TRUE;
}

void COrvaneDlg::EraseBackground(HDC dc) {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  OffscreenDc surface(dc, client);
  if (background_) {
    // Stays selected until the surface has copied itself back.
    ::SelectObject(surface.Get(), background_.Get());
  } else {
    ::FillRect(surface.Get(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
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

void COrvaneDlg::LoadConfig() {
  AppState& state = TheAppState();
  std::wstring path = WideString(configPath_);
  if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ShowBox(Hwnd(), u"Config file is not exist.", kApplicationTitle);
    return;
  }
  FILE* file = ::_wfopen(path.c_str(), L"rb");
  if (file == nullptr) return;
  std::array<std::uint8_t, 1 + kSettingsModelSize> bytes{};
  std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  const bool exact = got == bytes.size() && std::fgetc(file) == EOF;
  std::fclose(file);
  if (!exact) return;  // another size: nothing read, no message
  state.FirstRunFlag = bytes[0];
  std::copy(bytes.begin() + 1, bytes.end(), state.Model.Bytes().begin());
}

Text COrvaneDlg::ReadProfile(TextView section, TextView key) const {
  std::vector<wchar_t> buffer(1024, L'\0');
  std::wstring sectionW = WideString(section), keyW = WideString(key), pathW = WideString(iniPath_);
  DWORD length = ::GetPrivateProfileStringW(sectionW.c_str(), keyW.c_str(), L"", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), pathW.c_str());
  return Text(reinterpret_cast<const char16_t*>(buffer.data()), length);
}

void COrvaneDlg::LoadLabelsAndSkinKeys() {
  AppState& state = TheAppState();
  const TextView section = LabelSectionName(language_);
  for (std::size_t i = 0; i < kLabelKeys.size(); ++i) buttonLabels_[i] = ReadProfile(section, kLabelKeys[i]);
  colorR_ = ReadProfile(kSkinsSection, u"RColor");
  colorG_ = ReadProfile(kSkinsSection, u"GColor");
  colorB_ = ReadProfile(kSkinsSection, u"BColor");
  state.SkinName = ReadProfile(kSkinsSection, u"Path");
}

void COrvaneDlg::BuildPage() {
  AppState& state = TheAppState();
  if (state.PageState == kPageBuilt) return;
  state.PageState = kPageBuilt;
  state.PageBuiltOnce = true;
  if (!background_) return;
  winui::WindowDc window(Hwnd());
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  winui::UniqueMemoryDc memory(::CreateCompatibleDC(window.Get()));
  {
    winui::SelectGuard canvas(memory.Get(), background_.Get());
    DrawPage(memory.Get());
    ::BitBlt(window.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
  }
}

void COrvaneDlg::TearDownPage() {}

void COrvaneDlg::DrawPage(HDC dc) {
  const AppState& state = TheAppState();
  const InterfaceTexts& texts = texts_ != nullptr ? *texts_ : TextsFor(Language::English);
  auto image = [&](TextView name, int x, int y) { DrawPicture(dc, SkinImagePath(state.SkinFolder, name), x, y); };

  image(u"/BasicSet2.png", 0, 0);
  image(u"/button-Skins-normal.png", 701, 5);
  image(u"/button-min-normal.png", 825, 5);
  image(u"/button-close-normal.png", 850, 5);
  image(u"/button-PrePage-normal.png", 44, 54);
  for (int x : {562, 666, 770}) image(u"/button-normal.png", x, 623);
  image(u"/button-normal.png", 307, 549);
  const bool modeB = state.Model.ButtonMode == 1;
  image(modeB ? u"/button-normal.png" : u"/button-over.png", 253, 518);
  image(modeB ? u"/button-over.png" : u"/button-normal.png", 357, 518);
  constexpr std::array<int, 4> kRowTops = {199, 222, 245, 268};
  for (int top : kRowTops) image(u"/DropdownBox-normal.png", 252, top);

  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, UiTextColorValue(state.TextColor));
  {
    winui::SelectGuard font(dc, boldFont_.Get());
    DrawTextIn(dc, texts.BasicSettings, RECT{90, 51, 236, 99}, kDrawCentred);
  }
  winui::SelectGuard font(dc, normalFont_.Get());
  DrawTextIn(dc, texts.KeySetting, RECT{259, 160, 364, 181}, kDrawCentred);
  DrawTextIn(dc, texts.ReportRateSetting, RECT{504, 161, 609, 182}, kDrawCentred);
  DrawTextIn(dc, texts.DpiSetting, RECT{504, 275, 609, 296}, kDrawCentred);
  DrawTextIn(dc, texts.DpiEffect, RECT{704, 275, 809, 296}, kDrawCentred);
  DrawTextIn(dc, texts.WebSite, RECT{273, 627, 449, 647}, kDrawCentred);
  DrawTextIn(dc, texts.Ok, RECT{562, 623, 667, 644}, kDrawCentred);
  DrawTextIn(dc, texts.Apply, RECT{666, 623, 771, 644}, kDrawCentred);
  DrawTextIn(dc, texts.Cancel, RECT{770, 623, 875, 644}, kDrawCentred);
  DrawTextIn(dc, texts.Default, RECT{307, 549, 412, 570}, kDrawCentred);
  DrawTextIn(dc, u"Mode A", RECT{253, 518, 358, 539}, kDrawCentred);
  DrawTextIn(dc, u"Mode B", RECT{357, 518, 462, 539}, kDrawCentred);
  for (std::size_t row = 0; row < kRowTops.size(); ++row) {
    const int top = kRowTops[row];
    const char16_t digit[2] = {static_cast<char16_t>(u'1' + row), u'\0'};
    DrawTextIn(dc, digit, RECT{252, top, 272, top + 21}, kDrawCentred);
    DrawTextIn(dc, buttonLabels_[row + (modeB ? 8u : 0u)], RECT{272, top, 463, top + 21}, kDrawLeft);
  }
}

}  // namespace px
