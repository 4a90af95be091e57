#include "setting_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "buttons/dialog_items.h"
#include "model/button_catalogue.h"
#include "model/dpi_table.h"
#include "model/key_tables.h"
#include "page/settings_edits.h"

namespace px::cli {

namespace {

namespace fi = function_index;

// ---------------------------------------------------------------------------
// Spelling

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool SameWord(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

// An English list text as a word: lower case, blanks and slashes as hyphens.
std::string Slug(TextView english) {
  std::string word = Lower(ToUtf8(english));
  for (char& c : word) {
    if (c == ' ' || c == '/') c = '-';
  }
  return word;
}

// A key name as a word: blanks as hyphens, case kept ("Page-Up", "Num-0").
std::string KeyWord(TextView name) {
  std::string word = ToUtf8(name);
  std::replace(word.begin(), word.end(), ' ', '-');
  return word;
}

std::string Unknown(unsigned value) { return "unknown-" + std::to_string(value); }

std::string Join(const std::vector<std::string>& words, std::string_view separator = ", ") {
  std::string out;
  for (const auto& w : words) {
    if (!out.empty()) out += separator;
    out += w;
  }
  return out;
}

// A decimal number of at most three digits, nothing else; leading zeros
// are allowed, as a script that pads its numbers writes them.
std::optional<int> SmallNumber(std::string_view text) {
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.empty() || text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// ---------------------------------------------------------------------------
// Value tables

constexpr std::array<std::string_view, kReportRateSegments> kRateWords{"125", "250", "500", "1000"};
constexpr std::array<std::string_view, 3> kLightModeWords{"off", "standard", "respiration"};
constexpr std::array<std::string_view, kStandardParameters> kBrightnessWords{"5%",  "15%", "25%", "35%", "45%",
                                                                             "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, kRespirationParameters> kPeriodWords{"8s", "7s", "6s", "5s", "4s"};
// Effect indexes 0..3 as the page names them; only 1 and 2 can be chosen.
constexpr std::array<std::string_view, 4> kEffectWords{"none", "rgb-effect", "rgb-flash", "rgb-fixed-on"};

struct FixedButtonWord {
  std::string_view word;
  std::uint8_t function;
};
constexpr std::array<FixedButtonWord, 9> kFixedButtonWords{{
    {"left", fi::kLeftClick},
    {"right", fi::kRightClick},
    {"middle", fi::kMidClick},
    {"mid", fi::kMidClick},
    {"forward", fi::kForward},
    {"backward", fi::kBackward},
    {"off", fi::kKeyOff},
    {"shift", fi::kShift},
    {"key-off", fi::kKeyOff},
}};
constexpr std::array<std::string_view, 3> kDpiSwitchWords{"dpi+", "dpi-", "dpi-loop"};
// The letters of the hot keys' Ctrl shortcuts, in list order.
constexpr std::string_view kHotKeyLetters = "cxvaonsz";

std::string NeonWords(std::uint8_t index) {
  if (index >= 30) return Unknown(index);
  const unsigned halves = unsigned{index} + 1;
  return std::to_string(halves / 2) + (halves % 2 ? ".5s" : "s");
}

template <std::size_t N>
std::string FromList(const std::array<std::string_view, N>& words, unsigned index) {
  return index < N ? std::string(words[index]) : Unknown(index);
}

template <std::size_t N>
std::optional<int> FindWord(const std::array<std::string_view, N>& words, std::string_view text) {
  for (std::size_t i = 0; i < N; ++i) {
    if (SameWord(words[i], text)) return static_cast<int>(i);
  }
  return std::nullopt;
}

template <std::size_t N>
std::vector<std::string> Words(const std::array<std::string_view, N>& words) {
  return std::vector<std::string>(words.begin(), words.end());
}

template <std::size_t N>
std::vector<std::string> ListWords(const std::array<LocalizedText, N>& list, std::string_view prefix) {
  std::vector<std::string> out;
  for (const auto& item : list) out.push_back(std::string(prefix) + Slug(item.en));
  return out;
}

template <std::size_t N>
std::optional<std::uint8_t> FindListItem(const std::array<LocalizedText, N>& list, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i) {
    if (SameWord(Slug(list[i].en), word)) return static_cast<std::uint8_t>(i);
  }
  return std::nullopt;
}

// The DPI values a click can choose with the variant, lowest first.
std::vector<std::string> DpiWords(std::uint8_t variant) {
  const auto labels = DpiLevelLabels(variant);
  const auto count = std::min<std::size_t>(labels.size(), static_cast<std::size_t>(SelectableLevelCount(variant)));
  std::vector<std::string> out;
  for (std::size_t i = 0; i < count; ++i) out.push_back(ToUtf8(labels[i]));
  return out;
}

std::vector<std::string> SnipeWords(std::uint8_t variant) {
  std::vector<std::string> out;
  for (TextView v : SnipeDpiList(variant)) out.push_back(ToUtf8(v));
  return out;
}

std::string ColorWords(const Rgb& rgb) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", unsigned{rgb.red}, unsigned{rgb.green}, unsigned{rgb.blue});
  return buffer;
}

std::optional<Rgb> ParseColor(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::array<std::uint8_t, 3> bytes{};
  for (std::size_t i = 0; i < 6; ++i) {
    const char c = static_cast<char>(Lower(text.substr(i, 1))[0]);
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    bytes[i / 2] = static_cast<std::uint8_t>(bytes[i / 2] * 16 + digit);
  }
  return Rgb{bytes[0], bytes[1], bytes[2]};
}

// ---------------------------------------------------------------------------
// Buttons

std::string ButtonWords(const SettingsModel& m, std::size_t i, const Vocabulary& words) {
  const std::uint8_t f = m.ButtonFunction[i];
  switch (f) {
    case fi::kDpiSwitch: {
      for (std::size_t e = 0; e < DpiSwitchList.size(); ++e) {
        if (DpiSwitchList[e].code == m.DpiSwitchCode[i]) return std::string(kDpiSwitchWords[e]);
      }
      return "dpi-switch:" + Unknown(m.DpiSwitchCode[i]);
    }
    case fi::kWindows:
      return "windows:" + (m.WindowsIndex[i] < WindowsFunctionList.size()
                               ? Slug(WindowsFunctionList[m.WindowsIndex[i]].en) : Unknown(m.WindowsIndex[i]));
    case fi::kMultimedia:
      return "media:" + (m.MediaIndex[i] < MediaKeyList.size() ? Slug(MediaKeyList[m.MediaIndex[i]].en)
                                                               : Unknown(m.MediaIndex[i]));
    case fi::kHotKey:
      return "hotkey:" + (m.HotKeyIndex[i] < HotKeyList.size() ? Slug(HotKeyList[m.HotKeyIndex[i]].en)
                                                               : Unknown(m.HotKeyIndex[i]));
    case fi::kFireKey: {
      const std::uint8_t position = m.FireKeyListIndex[i];
      std::string key = position < FireKeyList.size() && FireKeyList[position].code == m.FireKeyUsage[i]
                            ? ToUtf8(FireKeyList[position].text) : Unknown(m.FireKeyUsage[i]);
      return "fire:" + key + ",times=" + std::to_string(m.FireTimes[i]) + ",make=" + std::to_string(m.FireMakeTime) +
             ",break=" + std::to_string(m.FireBreakTime);
    }
    case fi::kSingleKey: {
      if (m.SingleKeyUsage[i] == 0) return "key:none";
      const auto name = KeyNameFromCode(m.SingleKeyUsage[i]);
      return "key:" + (name ? KeyWord(*name) : Unknown(m.SingleKeyUsage[i]));
    }
    case fi::kSnipeKey: {
      const auto values = SnipeWords(words.dpiTableVariant);
      return "snipe:" + (m.SnipeIndex[i] < values.size() ? values[m.SnipeIndex[i]] : Unknown(m.SnipeIndex[i]));
    }
    default: break;
  }
  for (const auto& w : kFixedButtonWords) {
    if (w.function == f) return std::string(w.word);
  }
  return Unknown(f);
}

std::optional<std::uint8_t> ParseByteIn(std::string_view text, int low, int high) {
  const auto n = SmallNumber(text);
  if (!n || *n < low || *n > high) return std::nullopt;
  return static_cast<std::uint8_t>(*n);
}

// fire:KEY[,times=N][,make=N][,break=N]
std::optional<ButtonValue> ParseFire(std::string_view spec, std::string& error) {
  ButtonValue v{.function = fi::kFireKey};
  const std::size_t comma = spec.find(',');
  const std::string_view key = spec.substr(0, comma);
  bool found = false;
  for (std::size_t p = 0; p < FireKeyList.size() && !found; ++p) {
    if (SameWord(ToUtf8(FireKeyList[p].text), key)) {
      v.choice.position = static_cast<std::uint8_t>(p);
      v.choice.text = Text(FireKeyList[p].text);
      found = true;
    }
  }
  if (!found) {
    error = "'" + std::string(key) + "' is not a fire key (" + Join(FireKeyWords(), " ") + ")";
    return std::nullopt;
  }
  std::vector<std::string_view> seen;
  std::string_view rest = comma == std::string_view::npos ? std::string_view{} : spec.substr(comma + 1);
  for (bool more = comma != std::string_view::npos; more;) {
    const std::size_t next = rest.find(',');
    const std::string_view part = rest.substr(0, next);
    more = next != std::string_view::npos;
    rest = more ? rest.substr(next + 1) : std::string_view{};
    const std::size_t eq = part.find('=');
    const std::string_view field = part.substr(0, eq);
    const std::string_view number = eq == std::string_view::npos ? std::string_view{} : part.substr(eq + 1);
    // A number given twice would leave the user guessing which one counts.
    if (std::find(seen.begin(), seen.end(), field) != seen.end()) {
      error = std::string(field) + " is given twice; a fire key takes times=N, make=N and break=N once each";
      return std::nullopt;
    }
    seen.push_back(field);
    if (field == "times") {
      const auto t = ParseByteIn(number, 0, 127);
      if (!t) return error = "times must be 0..127 (0: until the button is released)", std::nullopt;
      v.choice.times = *t;
    } else if (field == "make" || field == "break") {
      const auto t = ParseByteIn(number, 5, 255);
      if (!t) return error = std::string(field) + " time must be 5..255", std::nullopt;
      (field == "make" ? v.choice.makeTime : v.choice.breakTime) = *t;
      (field == "make" ? v.makeGiven : v.breakGiven) = true;
    } else {
      error = "'" + std::string(part) + "': a fire key takes times=N, make=N and break=N";
      return std::nullopt;
    }
  }
  return v;
}

std::optional<ButtonValue> ParseButton(std::string_view text, const Vocabulary& words, std::string& error) {
  for (const auto& w : kFixedButtonWords) {
    if (SameWord(w.word, text)) return ButtonValue{.function = w.function};
  }
  if (const auto e = FindWord(kDpiSwitchWords, text)) return ButtonValue{.function = fi::kDpiSwitch, .dpiEntry = *e};

  const std::size_t colon = text.find(':');
  const std::string kind = Lower(text.substr(0, colon));
  const std::string_view item = colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
  const auto listChoice = [&](std::uint8_t function, const auto& list, std::optional<std::uint8_t> position,
                              std::string_view prefix) -> std::optional<ButtonValue> {
    if (!position) {
      error = "'" + std::string(item) + "' is not in the list (" + Join(ListWords(list, prefix), " ") + ")";
      return std::nullopt;
    }
    return ButtonValue{.function = function,
                       .choice = {.position = *position, .text = Text(list[*position].In(words.language))}};
  };
  if (colon != std::string_view::npos && kind == "windows") {
    return listChoice(fi::kWindows, WindowsFunctionList, FindListItem(WindowsFunctionList, item), "windows:");
  }
  if (colon != std::string_view::npos && kind == "media") {
    return listChoice(fi::kMultimedia, MediaKeyList, FindListItem(MediaKeyList, item), "media:");
  }
  if (colon != std::string_view::npos && kind == "hotkey") {
    auto position = FindListItem(HotKeyList, item);
    const std::string lower = Lower(item);
    if (!position && lower.size() == 6 && lower.starts_with("ctrl+")) {
      const auto letter = kHotKeyLetters.find(lower[5]);
      if (letter != std::string_view::npos) position = static_cast<std::uint8_t>(letter);
    }
    return listChoice(fi::kHotKey, HotKeyList, position, "hotkey:");
  }
  if (colon != std::string_view::npos && kind == "fire") return ParseFire(item, error);
  if (colon != std::string_view::npos && kind == "key") {
    for (const KeyName& k : KeyNameTable) {
      if (SameWord(KeyWord(k.name), item) || SameWord(ToUtf8(k.name), item)) {
        return ButtonValue{.function = fi::kSingleKey, .choice = {.text = Text(k.name)}};
      }
    }
    error = "'" + std::string(item) + "' is not a key name (see px6410ctl set --help)";
    return std::nullopt;
  }
  if (colon != std::string_view::npos && kind == "snipe") {
    const auto values = SnipeWords(words.dpiTableVariant);
    for (std::size_t p = 0; p < values.size(); ++p) {
      if (values[p] == item) {
        return ButtonValue{.function = fi::kSnipeKey,
                           .choice = {.position = static_cast<std::uint8_t>(p), .text = FromUtf8(values[p])}};
      }
    }
    error = "'" + std::string(item) + "' is not a snipe DPI of table variant " +
            std::to_string(words.dpiTableVariant) + " (" + Join(values, " ") + ")";
    return std::nullopt;
  }
  error = "not a button function (" + Join(ValueWords(Setting::Button, words), " ") + ")";
  return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------------------
// Names

std::optional<SettingName> ParseSettingName(std::string_view text) {
  const auto stageOf = [](char c) { return c >= '1' && c <= '4' ? c - '0' : 0; };
  if (text == "rate") return SettingName{.setting = Setting::Rate};
  if (text == "mode") return SettingName{.setting = Setting::ButtonMode};
  if (text == "buttons") return SettingName{.setting = Setting::Buttons};
  if (text == "light.mode") return SettingName{.setting = Setting::LightMode};
  if (text == "light.param") return SettingName{.setting = Setting::LightParam};
  if (text == "light.effect") return SettingName{.setting = Setting::LightEffect};
  if (text == "light.standard.param") return SettingName{.setting = Setting::StandardParam};
  if (text == "light.respiration.param") return SettingName{.setting = Setting::RespirationParam};
  if (text == "light.respiration.effect") return SettingName{.setting = Setting::RespirationEffect};
  if (text.starts_with("dpi.") && text.size() >= 5 && stageOf(text[4]) != 0) {
    const int stage = stageOf(text[4]);
    const std::string_view rest = text.substr(5);
    if (rest.empty()) return SettingName{.setting = Setting::DpiValue, .stage = stage};
    if (rest == ".level") return SettingName{.setting = Setting::DpiLevel, .stage = stage};
    if (rest == ".enabled") return SettingName{.setting = Setting::DpiEnabled, .stage = stage};
    if (rest == ".color") return SettingName{.setting = Setting::DpiColor, .stage = stage};
    return std::nullopt;
  }
  if (text.size() == 10 && text.starts_with("button.") && text[8] == '.' && stageOf(text[9]) != 0) {
    const char mode = text[7];
    if (mode != 'A' && mode != 'B' && mode != 'a' && mode != 'b') return std::nullopt;
    return SettingName{.setting = Setting::Button, .mode = (mode == 'B' || mode == 'b') ? 1 : 0,
                       .button = stageOf(text[9])};
  }
  return std::nullopt;
}

std::string SettingNameText(const SettingName& n) {
  const std::string stage = "dpi." + std::to_string(n.stage);
  switch (n.setting) {
    case Setting::Rate: return "rate";
    case Setting::DpiValue: return stage;
    case Setting::DpiLevel: return stage + ".level";
    case Setting::DpiEnabled: return stage + ".enabled";
    case Setting::DpiColor: return stage + ".color";
    case Setting::LightMode: return "light.mode";
    case Setting::LightParam: return "light.param";
    case Setting::LightEffect: return "light.effect";
    case Setting::StandardParam: return "light.standard.param";
    case Setting::RespirationParam: return "light.respiration.param";
    case Setting::RespirationEffect: return "light.respiration.effect";
    case Setting::ButtonMode: return "mode";
    case Setting::Buttons: return "buttons";
    case Setting::Button: return std::string("button.") + (n.mode == 1 ? 'B' : 'A') + "." + std::to_string(n.button);
  }
  return {};
}

std::string NameSummary() {
  return "rate, dpi.N, dpi.N.level, dpi.N.enabled, dpi.N.color (N 1..4), light.mode, light.param, light.effect, "
         "light.standard.param, light.respiration.param, light.respiration.effect, mode, button.A.N, button.B.N "
         "(N 1..4), buttons";
}

// ---------------------------------------------------------------------------
// Values

std::optional<SettingValue> ParseSettingValue(const SettingName& name, std::string_view text, const Vocabulary& words,
                                              std::string& error) {
  SettingValue v;
  const auto fail = [&](std::string message) -> std::optional<SettingValue> {
    error = std::move(message);
    return std::nullopt;
  };
  switch (name.setting) {
    case Setting::Rate: {
      const auto segment = FindWord(kRateWords, text);
      if (!segment) return fail("not a report rate (125, 250, 500 or 1000)");
      v.number = *segment + 1;
      return v;
    }
    case Setting::DpiValue: {
      const auto values = DpiWords(words.dpiTableVariant);
      for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == text) {
          v.number = static_cast<int>(i) + 1;
          return v;
        }
      }
      return fail("not a DPI value of table variant " + std::to_string(words.dpiTableVariant) + " (" +
                  Join(values, " ") + ")");
    }
    case Setting::DpiLevel: {
      const int count = SelectableLevelCount(words.dpiTableVariant);
      const auto level = SmallNumber(text);
      if (!level || *level < 1 || *level > count) {
        return fail("not a level of table variant " + std::to_string(words.dpiTableVariant) + " (1.." +
                    std::to_string(count) + ", 1 the lowest)");
      }
      v.number = *level;
      return v;
    }
    case Setting::DpiEnabled: {
      const std::string lower = Lower(text);
      if (lower == "yes" || lower == "on" || lower == "true" || lower == "1") {
        v.number = 1;
      } else if (lower == "no" || lower == "off" || lower == "false" || lower == "0") {
        v.number = 0;
      } else {
        return fail("must be yes or no");
      }
      return v;
    }
    case Setting::DpiColor: {
      const auto rgb = ParseColor(text);
      if (!rgb) return fail("not a colour (#RRGGBB, six hexadecimal digits)");
      v.color = *rgb;
      return v;
    }
    case Setting::LightMode: {
      const auto mode = FindWord(kLightModeWords, text);
      if (!mode) {
        if (SameWord(text, "neon")) return fail("neon is only ever read from a settings file (off, standard, respiration)");
        return fail("not a lighting mode (off, standard, respiration)");
      }
      v.number = *mode;
      return v;
    }
    case Setting::LightParam:
    case Setting::StandardParam:
    case Setting::RespirationParam: {
      const bool standard = name.setting != Setting::RespirationParam;
      const bool respiration = name.setting != Setting::StandardParam;
      if (const auto item = FindWord(kBrightnessWords, text); standard && item) {
        v.number = *item;
        v.lightList = kLightModeStandard;
        return v;
      }
      if (const auto item = FindWord(kPeriodWords, text); respiration && item) {
        v.number = *item;
        v.lightList = kLightModeRespiration;
        return v;
      }
      std::vector<std::string> allowed;
      if (standard) allowed.push_back("standard: " + Join(Words(kBrightnessWords), " "));
      if (respiration) allowed.push_back("respiration: " + Join(Words(kPeriodWords), " "));
      return fail("not a lighting parameter (" + Join(allowed, "; ") + ")");
    }
    case Setting::LightEffect:
    case Setting::RespirationEffect: {
      const std::string lower = Lower(text);
      const auto effect = lower == "effect" ? 1 : lower == "flash" ? 2 : FindWord(kEffectWords, text).value_or(-1);
      if (effect != 1 && effect != 2) return fail("not an effect (rgb-effect, rgb-flash)");
      v.number = effect - 1;
      return v;
    }
    case Setting::ButtonMode: {
      if (SameWord(text, "a")) return v;
      if (SameWord(text, "b")) {
        v.number = 1;
        return v;
      }
      return fail("must be A or B");
    }
    case Setting::Buttons:
      if (!SameWord(text, "default")) return fail("only 'default' (the factory buttons of both modes)");
      return v;
    case Setting::Button: {
      const auto button = ParseButton(text, words, error);
      if (!button) return std::nullopt;
      v.button = *button;
      return v;
    }
  }
  return fail("cannot be set");
}

std::string FormatSettingValue(const SettingName& name, const SettingsModel& m, const Vocabulary& words) {
  const auto stage = static_cast<std::size_t>(name.stage - 1);
  switch (name.setting) {
    case Setting::Rate: {
      for (int s = 1; s <= kReportRateSegments; ++s) {
        if (kReportRateCodes[s - 1] == m.ReportRateCode) return std::string(kRateWords[static_cast<std::size_t>(s - 1)]);
      }
      return Unknown(m.ReportRateCode);
    }
    case Setting::DpiValue: {
      const auto values = DpiWords(words.dpiTableVariant);
      return m.DpiLevel[stage] < values.size() ? values[m.DpiLevel[stage]] : Unknown(m.DpiLevel[stage]);
    }
    case Setting::DpiLevel: return std::to_string(unsigned{m.DpiLevel[stage]} + 1);
    case Setting::DpiEnabled: {
      const std::uint8_t flag = m.DpiStageEnabled[stage];
      return flag == 1 ? "yes" : flag == 0 ? "no" : Unknown(flag);
    }
    case Setting::DpiColor: return ColorWords(m.DpiStageColor[stage]);
    case Setting::LightMode: return m.LightMode == kLightModeNeon ? "neon" : FromList(kLightModeWords, m.LightMode);
    case Setting::LightParam:
      switch (m.LightMode) {
        case kLightModeOff: return "none";
        case kLightModeStandard: return FromList(kBrightnessWords, m.LightParamStandard);
        case kLightModeRespiration: return FromList(kPeriodWords, m.LightParamBreath);
        case kLightModeNeon: return NeonWords(m.LightParamNeon);
        default: return Unknown(m.LightMode);
      }
    case Setting::LightEffect:
      switch (m.LightMode) {
        case kLightModeOff: return "none";
        case kLightModeStandard: return FromList(kEffectWords, m.LightEffectStandard);
        case kLightModeRespiration: return FromList(kEffectWords, m.LightEffect);
        case kLightModeNeon: return FromList(kEffectWords, m.LightEffectNeon);
        default: return Unknown(m.LightMode);
      }
    case Setting::StandardParam: return FromList(kBrightnessWords, m.LightParamStandard);
    case Setting::RespirationParam: return FromList(kPeriodWords, m.LightParamBreath);
    case Setting::RespirationEffect: return FromList(kEffectWords, m.LightEffect);
    case Setting::ButtonMode: return m.ButtonMode == 0 ? "A" : m.ButtonMode == 1 ? "B" : Unknown(m.ButtonMode);
    case Setting::Buttons: {
      SettingsModel factory = m;
      LabelSet ignored;
      RestoreDefaultButtons({factory, ignored, words.language, words.dpiTableVariant});
      return factory == m ? "default" : "custom";
    }
    case Setting::Button:
      return ButtonWords(m, static_cast<std::size_t>(ButtonIndex(name.button, name.mode)), words);
  }
  return {};
}

std::vector<std::string> ValueWords(Setting setting, const Vocabulary& words) {
  switch (setting) {
    case Setting::Rate: return Words(kRateWords);
    case Setting::DpiValue: return DpiWords(words.dpiTableVariant);
    case Setting::DpiLevel: {
      std::vector<std::string> out;
      for (int l = 1; l <= SelectableLevelCount(words.dpiTableVariant); ++l) out.push_back(std::to_string(l));
      return out;
    }
    case Setting::DpiEnabled: return {"yes", "no"};
    case Setting::DpiColor: return {"#RRGGBB"};
    case Setting::LightMode: return Words(kLightModeWords);
    case Setting::StandardParam: return Words(kBrightnessWords);
    case Setting::RespirationParam: return Words(kPeriodWords);
    case Setting::LightParam: {
      auto out = Words(kBrightnessWords);
      for (auto w : kPeriodWords) out.emplace_back(w);
      return out;
    }
    case Setting::LightEffect:
    case Setting::RespirationEffect: return {"rgb-effect", "rgb-flash"};
    case Setting::ButtonMode: return {"A", "B"};
    case Setting::Buttons: return {"default"};
    case Setting::Button: {
      std::vector<std::string> out{"left", "right", "middle", "forward", "backward", "dpi+", "dpi-", "dpi-loop"};
      for (auto& w : ListWords(WindowsFunctionList, "windows:")) out.push_back(std::move(w));
      for (auto& w : ListWords(MediaKeyList, "media:")) out.push_back(std::move(w));
      for (auto& w : ListWords(HotKeyList, "hotkey:")) out.push_back(std::move(w));
      out.insert(out.end(), {"fire:KEY[,times=N][,make=N][,break=N]", "key:NAME", "snipe:DPI", "off", "shift"});
      return out;
    }
  }
  return {};
}

std::vector<SettingName> ProfileNames(const SettingsModel& m, const Vocabulary& words) {
  std::vector<SettingName> names{{.setting = Setting::Rate}};
  const auto dpiValues = DpiWords(words.dpiTableVariant);
  for (int s = 1; s <= kDpiStages; ++s) {
    const bool valueKnown = m.DpiLevel[static_cast<std::size_t>(s - 1)] < dpiValues.size();
    names.push_back({.setting = valueKnown ? Setting::DpiValue : Setting::DpiLevel, .stage = s});
    names.push_back({.setting = Setting::DpiEnabled, .stage = s});
    names.push_back({.setting = Setting::DpiColor, .stage = s});
  }
  for (Setting s : {Setting::LightMode, Setting::StandardParam, Setting::RespirationParam,
                    Setting::RespirationEffect, Setting::ButtonMode}) {
    names.push_back({.setting = s});
  }
  // A snipe button whose DPI is the one sent goes last, so that replaying
  // the profile leaves the shared snipe code as it is.
  std::vector<SettingName> buttons, snipeLast;
  for (int mode : {0, 1}) {
    for (int b = 1; b <= kShownButtons; ++b) {
      const auto i = static_cast<std::size_t>(ButtonIndex(b, mode));
      const bool sentSnipe = m.ButtonFunction[i] == fi::kSnipeKey &&
                             m.SnipeDpiCode == DpiCode(m.SnipeIndex[i], true, words.dpiTableVariant);
      (sentSnipe ? snipeLast : buttons).push_back({.setting = Setting::Button, .mode = mode, .button = b});
    }
  }
  names.insert(names.end(), buttons.begin(), buttons.end());
  names.insert(names.end(), snipeLast.begin(), snipeLast.end());
  return names;
}

bool ButtonHolds(const SettingsModel& m, int index, const ButtonValue& v, const Vocabulary& words, bool snipeCodeToo) {
  const auto i = static_cast<std::size_t>(index);
  if (m.ButtonFunction[i] != v.function) return false;
  const DialogChoice& c = v.choice;
  switch (v.function) {
    case fi::kDpiSwitch: return m.DpiSwitchCode[i] == DpiSwitchList[static_cast<std::size_t>(v.dpiEntry)].code;
    case fi::kWindows: return m.WindowsIndex[i] == c.position;
    case fi::kMultimedia: return m.MediaIndex[i] == c.position;
    case fi::kHotKey: return m.HotKeyIndex[i] == c.position;
    case fi::kFireKey:
      return m.FireKeyListIndex[i] == c.position && m.FireKeyUsage[i] == FireKeyCode(c.position) &&
             m.FireTimes[i] == c.times && (!v.makeGiven || m.FireMakeTime == c.makeTime) &&
             (!v.breakGiven || m.FireBreakTime == c.breakTime);
    case fi::kSingleKey: return m.SingleKeyUsage[i] == KeyCodeFromName(c.text);
    case fi::kSnipeKey:
      return m.SnipeIndex[i] == c.position &&
             (!snipeCodeToo || m.SnipeDpiCode == DpiCode(c.position, true, words.dpiTableVariant));
    default: return true;
  }
}

std::vector<std::string> KeyWords() {
  std::vector<std::string> out;
  for (const KeyName& k : KeyNameTable) out.push_back(KeyWord(k.name));
  return out;
}

std::vector<std::string> FireKeyWords() {
  std::vector<std::string> out;
  for (const FireKey& k : FireKeyList) out.push_back(ToUtf8(k.text));
  return out;
}

}  // namespace px::cli
