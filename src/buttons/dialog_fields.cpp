#include "buttons/dialog_fields.h"

#include <limits>
#include <string>

#include "buttons/dialog_items.h"
#include "model/key_tables.h"

namespace px {
namespace {

template <std::size_t N>
std::vector<TextView> Localized(const std::array<LocalizedText, N>& list, Language language) {
  std::vector<TextView> items;
  items.reserve(N);
  for (const LocalizedText& item : list) items.push_back(item.In(language));
  return items;
}

constexpr FireKeyTexts kFireChs{u"次数", u"按下时间", u"弹起时间", u"时间(数值范围5-255)",
                                u"次数(数值范围0-127，0表示按键放开火力键结束)"};
constexpr FireKeyTexts kFireCht{u"次數", u"按下時間", u"彈起時間", u"時間(數值範圍5-255)",
                                u"次數(數值範圍0-127，0表示按鍵放開火力鍵結束)"};
constexpr FireKeyTexts kFireEn{u"Times", u"Make Time", u"Break Time", u"Time (value range 5-255)",
                               u"Times (value range 0-127,0 indicates fire key to end when the key released)"};

FireFieldOutcome RangeRule(TextView text, std::int64_t low, std::int64_t high, std::uint8_t fallback,
                           TextView fallbackText) {
  const std::int64_t number = LeadingNumber(text);
  if (number < low || number > high) return {fallback, fallbackText};
  return {static_cast<std::uint8_t>(number), std::nullopt};
}

}  // namespace

std::vector<TextView> DialogListItems(DialogKind kind, Language language, std::uint8_t dpiTableVariant) {
  switch (kind) {
    case DialogKind::FireKey: {
      std::vector<TextView> items;
      for (const FireKey& key : FireKeyList) items.push_back(key.text);
      return items;
    }
    case DialogKind::HotKey: return Localized(HotKeyList, language);
    case DialogKind::Media: return Localized(MediaKeyList, language);
    case DialogKind::Windows: return Localized(WindowsFunctionList, language);
    case DialogKind::Snipe: {
      const std::span<const TextView> values = SnipeDpiList(dpiTableVariant);
      return {values.begin(), values.end()};
    }
    case DialogKind::Single:
    case DialogKind::Skins: break;
  }
  return {};
}

TextView InitialChoiceText(DialogKind kind, Language language, std::uint8_t dpiTableVariant) {
  const std::vector<TextView> items = DialogListItems(kind, language, dpiTableVariant);
  return items.empty() ? TextView{} : items.front();
}

std::int64_t LeadingNumber(TextView text) {
  constexpr std::int64_t kHeld = std::numeric_limits<std::int32_t>::max();
  std::size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
  std::int64_t value = 0;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    value = value * 10 + (text[at] - u'0');
    if (value > kHeld) {
      value = kHeld;
      break;
    }
  }
  return negative ? -value : value;
}

FireFieldOutcome ApplyTimesRule(TextView text) { return RangeRule(text, 0, 127, 1, u"1"); }

FireFieldOutcome ApplyTimeRule(TextView text) { return RangeRule(text, 5, 255, 5, u"5"); }

const FireKeyTexts& FireKeyTextsFor(Language language) {
  static constexpr const FireKeyTexts* kTexts[] = {&kFireEn, &kFireChs, &kFireCht};
  return *kTexts[LanguageIndex(language)];
}

TextView SingleKeyPrompt(Language language) {
  constexpr TextView kPrompts[] = {u"Please enter a key", u"请输入一个按键", u"請輸入一個按鍵"};
  return kPrompts[LanguageIndex(language)];
}

bool SingleKeySwallows(QueuedMessage message, QueuedKey key) {
  if (key == QueuedKey::WindowsKey) return true;
  return message == QueuedMessage::KeyDown && (key == QueuedKey::Enter || key == QueuedKey::Escape);
}

bool KeyHookCaptures(HookNotice notice) { return notice == HookNotice::Keystroke; }

Text KeyNameFromBuffer(const char16_t* buffer, std::size_t size) {
  if (buffer == nullptr) return {};
  std::size_t length = 0;
  while (length < size && buffer[length] != u'\0') ++length;
  return Text(buffer, length);
}

Text HookInstallErrorText(unsigned long error) {
  Text text(u"KeyboardHook_SingleDlgKey Install error code :");
  const std::string digits = std::to_string(static_cast<int>(error));  // "%d"
  text.append(digits.begin(), digits.end());
  text.push_back(u'\n');
  return text;
}

}  // namespace px
