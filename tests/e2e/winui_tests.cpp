// The dialog layer and the application's resources, on a real (virtual)
// display under Wine: windows cannot be created without one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/resource_ids.h"
#include "app/win32/tray_icon.h"
#include "page/win32/page_view_win32.h"
#include "winui/controls.h"
#include "winui/dialog.h"
#include "winui/handles.h"

namespace px {
namespace {

// ---- the resource templates ------------------------------------------------

struct TemplateInfo {
  DWORD style = 0, exStyle = 0;
  WORD items = 0;
  short cx = 0, cy = 0;
  std::wstring className, title, face;
  WORD pointSize = 0, weight = 0;
  BYTE charset = 0;
};

// Reads a DLGTEMPLATEEX resource.
TemplateInfo ReadTemplate(int id) {
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  EXPECT_NE(found, nullptr) << id;
  if (found == nullptr) return {};
  const auto* p = static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, found)));
  TemplateInfo info;
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 0xFFFF);
  auto dword = [](const WORD* at) { return static_cast<DWORD>(at[0] | (static_cast<DWORD>(at[1]) << 16)); };
  info.exStyle = dword(p + 4);
  info.style = dword(p + 6);
  info.items = p[8];
  info.cx = static_cast<short>(p[11]);
  info.cy = static_cast<short>(p[12]);
  const WORD* at = p + 13;
  auto text = [&at]() {
    std::wstring out;
    if (*at == 0xFFFF) {
      at += 2;
      return out;
    }
    while (*at != 0) out.push_back(static_cast<wchar_t>(*at++));
    ++at;
    return out;
  };
  text();  // menu
  info.className = text();
  info.title = text();
  info.pointSize = *at++;
  info.weight = *at++;
  info.charset = static_cast<BYTE>(*at >> 8);
  ++at;
  info.face = text();
  return info;
}

TEST(ResourcesTest, MainWindowTemplate) {
  TemplateInfo main = ReadTemplate(IDD_ORVANE_DIALOG);
  EXPECT_EQ(main.style, 0x92000A40u);
  EXPECT_EQ(main.exStyle, 0x00060010u);
  EXPECT_EQ(main.items, 0);
  EXPECT_EQ(main.cx, 450);
  EXPECT_EQ(main.cy, 325);
  // windres stores class names in upper case; the system matches them
  // without regard to case, and the window reports the registered name.
  EXPECT_EQ(::_wcsicmp(main.className.c_str(), L"PX6410GMClass"), 0) << main.className;
  EXPECT_EQ(main.title, L"");
  EXPECT_EQ(main.face, L"\u5B8B\u4F53");
  EXPECT_EQ(main.pointSize, 12);
  EXPECT_EQ(main.charset, 134);
}

TEST(ResourcesTest, SmallDialogTemplatesShareOneFrame) {
  for (int id : {IDD_SINGLE_DIALOG, IDD_WINDOWS_DIALOG, IDD_MEDIA_DIALOG, IDD_FIREKEY_DIALOG, IDD_SKINS_DIALOG,
                 IDD_SNIPE_DIALOG, IDD_HOTKEY_DIALOG}) {
    TemplateInfo dialog = ReadTemplate(id);
    EXPECT_EQ(dialog.style, 0x82800640u) << id;
    EXPECT_EQ(dialog.exStyle, 0u) << id;
    EXPECT_EQ(dialog.items, 0) << id;
    EXPECT_EQ(dialog.cx, 200) << id;
    EXPECT_EQ(dialog.cy, 150) << id;
    EXPECT_EQ(dialog.className, L"") << id;
    EXPECT_EQ(dialog.face, L"\u5B8B\u4F53") << id;
    EXPECT_EQ(dialog.pointSize, 12) << id;
    EXPECT_EQ(dialog.weight, 400) << id;
    EXPECT_EQ(dialog.charset, 134) << id;
  }
}

TEST(ResourcesTest, ApplicationIconInEverySize) {
  for (int size : {16, 32, 48}) {
    winui::UniqueIcon icon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.Get(), &info));
    winui::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectW(color.Get(), sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
  }
}

// ---- the dialog base ---------------------------------------------------------

std::vector<unsigned char> PopupTemplate() {
  return winui::BuildDialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 120, 80, nullptr, L"Arial", 9, 400, 0);
}

// A dialog that runs a script of actions from inside its modal loop.
class ScriptedDialog : public winui::Dialog {
 public:
  using Dialog::Dialog;
  std::function<void(ScriptedDialog&)> onInit;
  std::function<bool(MSG&)> onPreTranslate;
  std::vector<UINT> seen;
  bool ownerEnabledWhileRunning = true;

 protected:
  bool OnInitDialog() override {
    if (Owner() != nullptr) ownerEnabledWhileRunning = ::IsWindowEnabled(Owner()) != FALSE;
    if (onInit) onInit(*this);
    return true;
  }
  bool PreTranslateMessage(MSG& message) override {
    if (onPreTranslate && onPreTranslate(message)) return true;
    return Dialog::PreTranslateMessage(message);
  }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_APP) {
      seen.push_back(message);
      if (message == WM_APP + 9) EndDialog(77);
      return 0;
    }
    return Dialog::OnMessage(message, wParam, lParam);
  }
};

TEST(DialogTest, TheLaterEndWins) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  dialog.onInit = [](ScriptedDialog& d) {
    d.EndDialog(IDOK);
    d.EndDialog(IDCANCEL);
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.Hwnd(), nullptr);  // destroyed after the run
}

TEST(DialogTest, MessagesReachTheHandlersAndPreTranslationComesFirst) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  std::vector<UINT> preTranslated;
  dialog.onInit = [](ScriptedDialog& d) {
    ::PostMessageW(d.Hwnd(), WM_APP + 1, 0, 0);
    ::PostMessageW(d.Hwnd(), WM_APP + 2, 0, 0);  // consumed before dispatch
    ::PostMessageW(d.Hwnd(), WM_APP + 9, 0, 0);  // ends the run
  };
  dialog.onPreTranslate = [&](MSG& message) {
    if (message.message >= WM_APP) preTranslated.push_back(message.message);
    return message.message == WM_APP + 2;
  };
  EXPECT_EQ(dialog.DoModal(), 77);
  EXPECT_EQ(preTranslated, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 9}));
  EXPECT_EQ(dialog.seen, (std::vector<UINT>{WM_APP + 1, WM_APP + 9}));
}

TEST(DialogTest, EscapeAndEnterEndWithTheStandardCodes) {
  for (auto [key, expected] : {std::pair{VK_ESCAPE, IDCANCEL}, std::pair{VK_RETURN, IDOK}}) {
    ScriptedDialog dialog(PopupTemplate(), nullptr);
    dialog.onInit = [key = key](ScriptedDialog& d) {
      ::PostMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(key == VK_ESCAPE ? IDCANCEL : IDOK, 0), 0);
    };
    EXPECT_EQ(dialog.DoModal(), expected);
  }
}

TEST(DialogTest, OwnerIsDisabledOnlyWhileTheDialogRuns) {
  ScriptedDialog owner(PopupTemplate(), nullptr);
  bool ownerDisabledInside = false, ownerEnabledAfter = false;
  owner.onInit = [&](ScriptedDialog& o) {
    ScriptedDialog inner(PopupTemplate(), o.Hwnd());
    inner.onInit = [](ScriptedDialog& d) { d.EndDialog(IDOK); };
    EXPECT_EQ(inner.DoModal(), IDOK);
    ownerDisabledInside = !inner.ownerEnabledWhileRunning;
    ownerEnabledAfter = ::IsWindowEnabled(o.Hwnd()) != FALSE;

    // A dialog over an owner that was already disabled leaves it disabled.
    ::EnableWindow(o.Hwnd(), FALSE);
    ScriptedDialog nested(PopupTemplate(), o.Hwnd());
    nested.onInit = [](ScriptedDialog& d) { d.EndDialog(IDCANCEL); };
    nested.DoModal();
    EXPECT_FALSE(::IsWindowEnabled(o.Hwnd()));
    ::EnableWindow(o.Hwnd(), TRUE);
    o.EndDialog(IDOK);
  };
  EXPECT_EQ(owner.DoModal(), IDOK);
  EXPECT_TRUE(ownerDisabledInside);
  EXPECT_TRUE(ownerEnabledAfter);
}

TEST(DialogTest, AQuitMessageEndsTheRunAndStaysForTheOuterLoop) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  dialog.onInit = [](ScriptedDialog&) { ::PostQuitMessage(5); };
  EXPECT_EQ(dialog.DoModal(), -1);
  MSG message{};
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 5u);
}

TEST(DialogTest, AMissingTemplateAnswersMinusOne) {
  winui::Dialog dialog(9999, nullptr);
  EXPECT_EQ(dialog.DoModal(), -1);
}

// ---- the control wrappers ----------------------------------------------------

TEST(ControlsTest, ListBoxLivesWithItsObject) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  HWND listWindow = nullptr;
  dialog.onInit = [&](ScriptedDialog& d) {
    {
      winui::ListBox list;
      EXPECT_EQ(list.CurrentSelection(), LB_ERR);  // before it exists
      ASSERT_TRUE(list.Create(d.Hwnd(), 562, RECT{10, 10, 110, 70}, WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY));
      listWindow = list.Hwnd();
      EXPECT_EQ(::GetDlgCtrlID(listWindow), 562);
      EXPECT_EQ(list.AddString(L"Blue"), 0);
      EXPECT_EQ(list.AddString(L"\u7EA2\u8272"), 1);  // not sorted: appended in order
      EXPECT_EQ(list.Count(), 2);
      EXPECT_EQ(list.CurrentSelection(), LB_ERR);
      list.SetCurrentSelection(1);
      EXPECT_EQ(list.CurrentSelection(), 1);
      EXPECT_EQ(list.Text(1), L"\u7EA2\u8272");
      EXPECT_EQ(list.Text(2), L"");
      EXPECT_EQ(list.Text(-1), L"");
      EXPECT_EQ(list.ItemFromPoint(POINT{5, 2}), 0);
    }
    EXPECT_FALSE(::IsWindow(listWindow));
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
  EXPECT_NE(listWindow, nullptr);
}

TEST(ControlsTest, StaticAndEditTexts) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  dialog.onInit = [](ScriptedDialog& d) {
    winui::Static label;
    ASSERT_TRUE(label.Create(d.Hwnd(), 560, RECT{0, 0, 90, 16}, WS_CHILD | WS_VISIBLE | SS_SUNKEN, L"Default"));
    EXPECT_EQ(label.Text(), L"Default");
    label.SetText(L"\u9ED1\u4F53");
    EXPECT_EQ(label.Text(), L"\u9ED1\u4F53");
    winui::Edit edit;
    ASSERT_TRUE(edit.Create(d.Hwnd(), 570, RECT{0, 20, 90, 36}, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, L""));
    edit.LimitText(3);
    edit.SetText(L"12");
    EXPECT_EQ(edit.Text(), L"12");
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
}

// ---- the tray record -----------------------------------------------------------

TEST(TrayIconTest, RecordAndBalloonFieldsStayWithinBounds) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  dialog.onInit = [](ScriptedDialog& d) {
    TrayIcon tray;
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    tray.Add(d.Hwnd(), icon);
    const NOTIFYICONDATAW& data = tray.Data();
    EXPECT_EQ(data.cbSize, 976u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_STREQ(data.szTip, L"Gaming Mouse Setting");

    std::u16string longText(1000, u'x');
    std::u16string longTitle(200, u'T');
    tray.ShowBalloon(longText, longTitle, 5000);
    EXPECT_EQ(data.uFlags, 23u);
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(data.uTimeout, 5000u);
    EXPECT_EQ(std::wcslen(data.szInfo), 255u);
    EXPECT_EQ(std::wcslen(data.szInfoTitle), 63u);
    EXPECT_STREQ(data.szTip, L"Gaming Mouse Setting");  // the neighbours are untouched

    tray.ShowBalloon(u"Switch to macro key2", u"Info", 5000);
    EXPECT_STREQ(data.szInfo, L"Switch to macro key2");
    EXPECT_STREQ(data.szInfoTitle, L"Info");
    // Added anew after a shell restart as an icon, not as the last balloon again.
    tray.Restore();
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_TRUE(tray.Added());
    tray.Remove();
    EXPECT_FALSE(tray.Added());
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
}

// ---- the page's window drag ------------------------------------------------------

// OK and Cancel hide the window before their click falls through to the
// drag: a move loop on a hidden window would put it wherever the pointer went.
TEST(PageViewTest, TheWindowIsDraggedOnlyWhileItShows) {
  ScriptedDialog dialog(PopupTemplate(), nullptr);
  dialog.onInit = [](ScriptedDialog& d) {
    HBITMAP canvas = nullptr;
    Text folder;
    UiTextColor color;
    winui::UniqueFont body, heading;
    SettingsModel model{};
    const double scale = 1.0;
    PageWin32View view(d.Hwnd(), PageViewResources{canvas, folder, color, body, heading, model, scale});
    auto dragPosted = [&] {
      MSG message{};
      return ::PeekMessageW(&message, d.Hwnd(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
    };
    ::ShowWindow(d.Hwnd(), SW_HIDE);
    view.StartWindowDrag({120, 300});
    EXPECT_FALSE(dragPosted());
    ::ShowWindow(d.Hwnd(), SW_SHOW);
    view.StartWindowDrag({120, 300});
    EXPECT_TRUE(dragPosted());
    d.EndDialog(IDOK);
  };
  dialog.DoModal();
}

}  // namespace
}  // namespace px
