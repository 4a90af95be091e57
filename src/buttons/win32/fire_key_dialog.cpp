// CFireKeyDialog: the key to repeat from a scrolling list, and three number
// fields that give way to the list while it is open and come back with the
// texts they had.
#include <array>

#include "buttons/dialog_fields.h"
#include "buttons/win32/parameter_dialogs.h"
#include "model/key_tables.h"

namespace px {
namespace {

constexpr DWORD kFieldStyle = 0x50002001;  // WS_CHILD WS_VISIBLE ES_NUMBER ES_CENTER
constexpr DWORD kListStyle = 0x50A00001;   // the frame's list with a vertical scroll bar

RECT ToRect(const FrameRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

Text TextOfWindow(HWND window) {
  const std::wstring text = winui::WindowText(window);
  return Text(text.begin(), text.end());
}

void SetText(HWND window, TextView text) {
  const std::wstring wide(text.begin(), text.end());
  ::SetWindowTextW(window, wide.c_str());
}

class CFireKeyDialog final : public SkinnedDialog {
 public:
  CFireKeyDialog(HWND owner, const SkinnedDialogContext& context)
      : SkinnedDialog(DialogKind::FireKey, owner, context) {
    SetChosen(0, Text(FireKeyList[0].text));
  }

  FireKeyChoice Result() const { return {ChosenIndex(), ChosenText(), times_, makeTime_, breakTime_}; }

 protected:
  void CreateOwnControls() override { CreateFields(); }

  DWORD ListStyle() const override { return kListStyle; }

  std::vector<Text> ListItems() override {
    std::vector<Text> items;
    for (TextView item : DialogListItems(DialogKind::FireKey, Context().language)) items.emplace_back(item);
    return items;
  }

  void BeforeListCreated() override {
    for (winui::Edit& field : fields_) field.Destroy();
  }

  void AfterListClosed() override {
    if (fields_[0].Hwnd() == nullptr) CreateFields();
  }

  void DrawExtraTexts(HDC dc) override {
    const FireKeyTexts& texts = FireKeyTextsFor(Context().language);
    DrawUiText(dc, texts.times, ToRect(kFireTimesCaption), TextAlign::Right);
    DrawUiText(dc, texts.make, ToRect(kFireMakeCaption), TextAlign::Right);
    DrawUiText(dc, texts.breakTime, ToRect(kFireBreakCaption), TextAlign::Right);
    DrawUnclippedText(dc, texts.timeNote, kFireTimeNote, TextAlign::Left);
    DrawUnclippedText(dc, texts.timesNote, kFireTimesNote, TextAlign::Left);
    DrawUiText(dc, ChosenText(), ToRect(kFireChosenText));
  }

  std::optional<LRESULT> OnOwnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_COMMAND) return std::nullopt;
    // The sender's own handle: a field that is being destroyed still reports
    // its last text when it loses the focus.
    HWND field = reinterpret_cast<HWND>(lParam);
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kFireTimesId && code == EN_CHANGE) {
      timesText_ = TextOfWindow(field);
      const FireFieldOutcome outcome = ApplyTimesRule(timesText_);
      if (outcome.resetText) SetText(field, *outcome.resetText);  // comes back here with "1"
      times_ = outcome.value;
      ::InvalidateRect(field, nullptr, TRUE);
      return 0;
    }
    if ((id == kFireMakeId || id == kFireBreakId) && (code == EN_CHANGE || code == EN_KILLFOCUS)) {
      if (code == EN_KILLFOCUS) ApplyTimeField(id, field);
      ::InvalidateRect(field, nullptr, TRUE);
      return 0;
    }
    return std::nullopt;
  }

  std::optional<LRESULT> OwnControlColour(UINT, HDC dc, HWND) override { return DarkControlColour(dc); }

  void OnOk() override {
    // A time typed into a field that still has the focus counts as it is
    // shown: the rule that focus loss applies runs before the dialog ends.
    if (fields_[1].Hwnd() != nullptr) ApplyTimeField(kFireMakeId, fields_[1].Hwnd());
    if (fields_[2].Hwnd() != nullptr) ApplyTimeField(kFireBreakId, fields_[2].Hwnd());
    SkinnedDialog::OnOk();
  }

 private:
  void CreateFields() {
    fields_[0].Create(Hwnd(), kFireTimesId, ToRect(kFireTimesField), kFieldStyle, WideOf(timesText_));
    fields_[1].Create(Hwnd(), kFireMakeId, ToRect(kFireMakeField), kFieldStyle, WideOf(makeText_));
    fields_[2].Create(Hwnd(), kFireBreakId, ToRect(kFireBreakField), kFieldStyle, WideOf(breakText_));
    for (winui::Edit& field : fields_) ::SendMessageW(field.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  }

  static std::wstring WideOf(const Text& text) { return std::wstring(text.begin(), text.end()); }

  void ApplyTimeField(int id, HWND field) {
    Text& text = id == kFireMakeId ? makeText_ : breakText_;
    std::uint8_t& value = id == kFireMakeId ? makeTime_ : breakTime_;
    text = TextOfWindow(field);
    const FireFieldOutcome outcome = ApplyTimeRule(text);
    if (outcome.resetText) {
      text = Text(*outcome.resetText);
      SetText(field, text);
    }
    value = outcome.value;
  }

  std::array<winui::Edit, 3> fields_;
  Text timesText_{kFireTimesDefaultText};
  Text makeText_{kFireTimeDefaultText};
  Text breakText_{kFireTimeDefaultText};
  std::uint8_t times_ = 1;
  std::uint8_t makeTime_ = 32;
  std::uint8_t breakTime_ = 32;
};

}  // namespace

std::optional<FireKeyChoice> RunFireKeyDialog(HWND owner, const SkinnedDialogContext& context) {
  CFireKeyDialog dialog(owner, context);
  if (dialog.DoModal() != IDOK) return std::nullopt;
  return dialog.Result();
}

}  // namespace px
