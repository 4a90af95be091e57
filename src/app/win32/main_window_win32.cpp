#include "app/win32/main_window_win32.h"

#include <windowsx.h>

#include <string>

#include "app/plain_page.h"
#include "app/win32/resource_ids.h"
#include "app/win32/utility_bus.h"
#include "common/win32/wide_text.h"
#include "device/win32/device_change_win32.h"
#include "skin/pixel_density.h"
#include "winui/composition.h"
#include "skin/win32/ui_text.h"
#include "skin/skin_paths.h"
#include "storage/executable_path.h"
#include "storage/settings_paths.h"
#include "winui/window_dpi.h"

namespace px {

namespace {

constexpr TextView kMutexName = u"PX6410Mutex";
constexpr DWORD kRemoveAppWindow = 0x40000;  // WS_EX_APPWINDOW
constexpr DWORD kAddToolWindow = 0x80;       // WS_EX_TOOLWINDOW

}  // namespace

Point COrvaneDlg::LayoutPoint(LPARAM lParam) const {
  return LogicalPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, scale_);
}

COrvaneDlg::COrvaneDlg() : Dialog(IDD_ORVANE_DIALOG, nullptr), executablePath_(RunningExecutablePath()) {
  const SettingsPaths paths = BuildSettingsPaths(executablePath_);
  core_ = std::make_unique<UtilityCore>(UtilityParts{.files = files_,
                                                     .configFile = PathFromText(paths.configFile),
                                                     .iniFile = PathFromText(paths.iniFile),
                                                     .strIni = std::make_unique<Win32ProfileStore>(paths.iniFile),
                                                     .bus = MakeUtilityHidBus(paths.executableFolder),
                                                     .boxes = boxes_,
                                                     .waits = waits_,
                                                     .skinsRoot = SkinsRootFor(executablePath_),
                                                     .skinRefused = {}});
}

COrvaneDlg::~COrvaneDlg() = default;

bool COrvaneDlg::OnInitDialog() {
  AssembleCore();
  // Another instance runs: leave at once, changing nothing.
  if (!core_->StartUp()) ::ExitProcess(0);
  return true;
}

bool COrvaneDlg::ClaimFirstInstance() {
  // The mutex marks this instance for the whole run; it is never closed.
  ::CreateMutexW(nullptr, FALSE, WideString(kMutexName).c_str());
  return ::GetLastError() != ERROR_ALREADY_EXISTS;
}

bool COrvaneDlg::Add() {
  tray_.Add(Hwnd(), icon_);
  // The window lives only behind its icon: when Explorer restarts, the
  // icon must come back or the program could be neither shown nor ended.
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  if (taskbarCreated_ != 0) ::ChangeWindowMessageFilter(taskbarCreated_, MSGFLT_ADD);
  return true;
}

bool COrvaneDlg::LoadBackground(TextView skinFolder) {
  LoadBackgroundOrPlain(skinFolder);
  return static_cast<bool>(background_);
}

bool COrvaneDlg::RunPlatformStep(StartupStep step) {
  HWND hwnd = Hwnd();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  switch (step) {
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
      boxes_.SetOwner(hwnd);
      return true;
    case StartupStep::MessageFilter: {
      // Lower-privileged processes may send the tray callback and the notifications.
      const bool first = ::ChangeWindowMessageFilter(kTrayCallbackMessage, MSGFLT_ADD) != FALSE;
      const bool second = ::ChangeWindowMessageFilter(kNotificationMessage, MSGFLT_ADD) != FALSE;
      if (!first || !second) ShowOkBox(hwnd, u"ChangeWindowMessageFilter failed", kApplicationTitle);
      return first && second;
    }
    case StartupStep::RegisterDeviceNotification:
      deviceNotify_ = RegisterHidDeviceNotification(hwnd);
      if (!deviceNotify_) ShowOkBox(hwnd, u"RegisterDeviceNotification failed!!!", kApplicationTitle);
      return static_cast<bool>(deviceNotify_);
    case StartupStep::ResizeToBackground: {
      const SIZE size = CanvasSize();
      ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
      return true;
    }
    case StartupStep::CreateFonts:
      CreateFonts();
      return true;
    default:
      // The framework's own initialisation has run before OnInitDialog.
      return true;
  }
}

bool COrvaneDlg::PreTranslateMessage(MSG& message) {
  HWND hwnd = Hwnd();
  if (message.message == WM_KEYDOWN && (message.hwnd == hwnd || ::IsChild(hwnd, message.hwnd)) &&
      core_->Assembled() && Controller().OnKey(UiKeyOfVirtualKey(message.wParam))) {
    return true;
  }
  if (message.message == WM_MOUSEMOVE && pageView_ != nullptr) {
    if (auto over = pageView_->FindItemUnderPointer(message)) Page().OnPointerOverList(over->listId, over->item);
  }
  return Dialog::PreTranslateMessage(message);
}

std::optional<LRESULT> COrvaneDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    tray_.Restore();
    return 0;
  }
  // The controller's and the page's messages only once the core is assembled
  // (not during the window's creation, when another program may already
  // find the window by its class).
  const bool page = core_->Assembled();
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
      if (page) Controller().OnCloseRequest();
      return 0;
    case WM_DESTROY:
      if (page) Controller().ReleaseAtExit();
      return std::nullopt;
    case WM_DEVICECHANGE: {
      const DeviceChangeMessage change = DecodeDeviceChangeMessage(wParam, lParam);
      if (page) Controller().OnDeviceChange(change.event, change.kind, change.deviceName);
      return TRUE;
    }
    case kTrayCallbackMessage:
      if (page) Controller().OnTrayMouse(TrayMouseOfMessage(lParam));
      return 0;
    case kNotificationMessage:
      if (page) Controller().OnNotification(static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      // The dispatch may post a drag; the button-down itself goes on to the default handling.
      if (page) Page().DispatchClick(LayoutPoint(lParam));
      break;
    case WM_MOUSEMOVE:
      if (page) Page().OnPageMouseMove(LayoutPoint(lParam));
      break;
    case WM_MOUSEHOVER:
      if (page) Page().OnPageHover(LayoutPoint(lParam));
      break;
    case winui::kGetDpiScaledSizeMessage: {
      // The canvas's size at the new scale, which WM_DPICHANGED then makes.
      const SIZE canvas = CanvasSize();
      const double to = winui::ScaleOfDpi(LOWORD(wParam));
      *reinterpret_cast<SIZE*>(lParam) = {RescaledEdge(canvas.cx, scale_, to), RescaledEdge(canvas.cy, scale_, to)};
      return TRUE;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_COMMAND:
      if (page && LOWORD(wParam) == kExitCommand && HIWORD(wParam) == 0) Controller().ExitProgram();
      if (page && (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK)) Page().OnListChosen(LOWORD(wParam));
      break;
    default:
      // WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC: the page's controls take its colours.
      if (page && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        const auto brush =
            pageView_->ControlColors(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush) return brush;
      }
      break;
  }
  return Dialog::OnMessage(message, wParam, lParam);
}

void COrvaneDlg::ShowToFront() {
  hideCounter_.Stop();
  ::SetForegroundWindow(Hwnd());
  ::ShowWindow(Hwnd(), SW_SHOW);
}

void COrvaneDlg::ShowExitMenu(TextView exitText) {
  winui::UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  std::wstring text = WideString(exitText);
  ::AppendMenuW(menu.Get(), MF_STRING, kExitCommand, text.c_str());
  ::SetForegroundWindow(Hwnd());
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, Hwnd(), nullptr);
  // A menu tracked for a notification icon needs a task switch after it, or
  // the next one opens and closes at once.
  ::PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

SIZE COrvaneDlg::CanvasSize() const {
  BITMAP canvas{};
  ::GetObjectW(canvas_, sizeof(canvas), &canvas);
  return {canvas.bmWidth, canvas.bmHeight};
}

void COrvaneDlg::CreateFonts() {
  normalFont_ = CreateUiFont(Controller().CurrentLanguage(), FontRole::Body, scale_);
  boldFont_ = CreateUiFont(Controller().CurrentLanguage(), FontRole::Heading, scale_);
}

void COrvaneDlg::EraseBackground(HDC dc) {
  // Copies the background through an off-screen surface.
  winui::Composition copy(Hwnd(), dc, canvas_);
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

void COrvaneDlg::AssembleCore() {
  winui::LayOutOwnDpiChanges(Hwnd());
  scale_ = winui::WindowScale(Hwnd());
  AppState& state = core_->State();
  pageView_ = std::make_unique<PageWin32View>(
      Hwnd(), PageViewResources{canvas_, state.SkinFolder, state.TextColor, normalFont_, boldFont_, state.Settings.model, scale_});
  dialogWindows_ = std::make_unique<Win32DialogWindows>(Hwnd());
  skins_ = std::make_unique<WindowedSkinChooser>(*dialogWindows_, core_->SkinsRoot(), skinFolders_, files_);
  core_->Assemble({*this, *this, *this, *skins_, *pageView_, *dialogWindows_});
}

void COrvaneDlg::LoadBackgroundOrPlain(TextView skinFolder) {
  if (background_.Load(SkinImagePath(skinFolder, u"/main.png"), kMainWindowFrameExtent, scale_)) {
    canvas_ = background_.Handle();
    return;
  }
  winui::WindowDc screen(nullptr);
  const int width = DeviceEdge(kPlainPageWidth, scale_);
  const int height = DeviceEdge(kPlainPageHeight, scale_);
  plainBackground_.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
  winui::UniqueMemoryDc dc(::CreateCompatibleDC(screen.Get()));
  if (plainBackground_ && dc) {
    winui::SelectGuard select(dc.Get(), plainBackground_.Get());
    RECT all{0, 0, width, height};
    winui::UniqueBrush fill(::CreateSolidBrush(ToColorRef(kPlainPageColor)));
    ::FillRect(dc.Get(), &all, fill.Get());
    // The skin's own buttons are missing too: mark minimise and close where they work.
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::SetTextColor(dc.Get(), ToColorRef(kPlainMarkColor));
    // The stock GUI font, made for the screen's scale, at the window's.
    LOGFONTW stock{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(stock), &stock);
    const int screenDpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    if (screenDpi > 0) stock.lfHeight = ::MulDiv(stock.lfHeight, DeviceEdge(winui::kPlainDpi, scale_), screenDpi);
    winui::UniqueFont markFont(::CreateFontIndirectW(&stock));
    winui::SelectGuard font(dc.Get(), markFont.Get());
    for (const PlainPageMark& mark : kPlainPageMarks) DrawUiText(dc.Get(), mark.mark, DeviceRect(mark.rect, scale_));
  }
  canvas_ = plainBackground_.Get();
}

void COrvaneDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
  scale_ = winui::ScaleOfDpi(dpi);
  if (!core_->Assembled()) return;
  Controller().OnScaleChanged([this] {
    LoadBackgroundOrPlain(core_->State().SkinFolder);
    CreateFonts();
  });
  ::InvalidateRect(Hwnd(), nullptr, TRUE);  // a page not built yet shows its new picture too
  // The suggested place, at the size of the new canvas (the client is the whole window).
  const SIZE size = CanvasSize();
  ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace px
