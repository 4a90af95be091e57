// show and compose: the settings file and the image, no mouse involved.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "model/interface_texts.h"
#include "model/button_catalogue.h"
#include "buttons/dialog_items.h"
#include "model/key_tables.h"
#include "cli.h"
#include "installed.h"
#include "cli_files.h"
#include "model/composition.h"
#include "model/dpi_table.h"

namespace px::cli {

namespace {

// ---------------------------------------------------------------------------
// Arguments: positionals and "--name VALUE" options, in any order.

struct ParsedArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;

  std::optional<std::string> Option(std::string_view name) const {
    std::optional<std::string> value;
    for (const auto& [n, v] : options) {
      if (n == name) value = v;  // the last one given wins
    }
    return value;
  }
};

// Fails with a message for an unknown option or one without its value.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> known,
                                    std::string& error) {
  ParsedArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      parsed.positional.push_back(a);
      continue;
    }
    bool isKnown = false;
    for (auto k : known) isKnown = isKnown || a == k;
    if (!isKnown) {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value";
      return std::nullopt;
    }
    parsed.options.emplace_back(a, args[++i]);
  }
  return parsed;
}

std::optional<std::uint8_t> ParseVariant(const std::string& text) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '3') return std::nullopt;
  return static_cast<std::uint8_t>(text[0] - '0');
}

std::optional<Language> ParseLanguage(const std::string& text) {
  if (text == "CHS") return Language::SimplifiedChinese;
  if (text == "CHT") return Language::TraditionalChinese;
  if (text == "EN") return Language::English;
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// Words for the values of the model. Anything outside its table is named as
// such rather than guessed at.

// Standard-mode brightness and respiration period, the same in every language.
constexpr std::array<std::string_view, 10> kBrightnessTexts{"5%",  "15%", "25%", "35%", "45%",
                                                            "55%", "65%", "75%", "85%", "100%"};
constexpr std::array<std::string_view, 5> kPeriodTexts{"8S", "7S", "6S", "5S", "4S"};
constexpr int kNeonParameterCount = 30;  // 0.5 s to 15 s in half seconds

std::string U8(TextView text) { return ToUtf8(text); }

std::string Hex(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", value & 0xFFu);
  return buffer;
}

std::string OutOfRange(std::string_view what, unsigned value) {
  return std::string(what) + " " + std::to_string(value) + " (out of range)";
}

std::string ReportRateWords(std::uint8_t code) {
  switch (code) {
    case 1: return "1000 Hz";
    case 2: return "500 Hz";
    case 4: return "250 Hz";
    case 8: return "125 Hz";
    default: return OutOfRange("code", code);
  }
}

std::string ColourWords(const Rgb& rgb) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", unsigned{rgb.red}, unsigned{rgb.green}, unsigned{rgb.blue});
  return buffer;
}

std::string DpiWords(std::uint8_t level, std::uint8_t variant) {
  const auto labels = DpiLevelLabels(variant);
  if (level >= labels.size()) {
    return "level " + std::to_string(unsigned{level} + 1) + " (out of range for this variant, sent as code 0)";
  }
  return U8(labels[level]) + " DPI";
}

std::string InUseWords(std::uint8_t flag) {
  if (flag == 1) return "in use";
  if (flag == 0) return "not in use";
  return OutOfRange("in-use flag", flag) + ", taken as not in use";
}

std::string EffectWords(std::uint8_t effect, const InterfaceTexts& t) {
  const std::array<TextView, 4> names{t.NonDisplay, t.RgbEffect, t.RgbFlash, t.RgbFixedOn};
  return effect < names.size() ? U8(names[effect]) : OutOfRange("effect", effect);
}

template <std::size_t N>
std::string FromTable(const std::array<std::string_view, N>& table, std::uint8_t index) {
  return index < N ? std::string(table[index]) : OutOfRange("parameter", index);
}

std::string NeonParameterWords(std::uint8_t index) {
  if (index >= kNeonParameterCount) return OutOfRange("parameter", index);
  const unsigned halves = unsigned{index} + 1;
  return std::to_string(halves / 2) + (halves % 2 ? ".5S" : "S");
}

std::string LightingWords(const SettingsModel& m, const InterfaceTexts& t) {
  switch (m.LightMode) {
    case 0: return U8(t.LightOff);
    case 1:
      return U8(t.LightStandard) + ", parameter " + FromTable(kBrightnessTexts, m.LightParamStandard) + ", effect " +
             EffectWords(m.LightEffectStandard, t);
    case 2:
      return U8(t.LightRespiration) + ", parameter " + FromTable(kPeriodTexts, m.LightParamBreath) + ", effect " +
             EffectWords(m.LightEffect, t);
    case 3:
      return U8(t.LightNeon) + ", parameter " + NeonParameterWords(m.LightParamNeon) + ", effect " +
             EffectWords(m.LightEffectNeon, t);
    default: return OutOfRange("mode", m.LightMode);
  }
}

template <std::size_t N>
std::string ListItemWords(const std::array<LocalizedText, N>& list, std::uint8_t position, Language language) {
  return position < N ? U8(list[position].In(language)) : OutOfRange("item", position);
}

std::string FireTimesWords(std::uint8_t times) {
  if (times == 0) return "until released";
  if (times > 127) return OutOfRange("repeat count", times);
  return std::to_string(times) + (times == 1 ? " time" : " times");
}

std::string FireTimeWords(std::uint8_t value) {
  return std::to_string(value) + (value < 5 ? " (out of range)" : "");
}

std::string ButtonWords(const SettingsModel& m, int index, std::uint8_t variant, Language language) {
  const auto i = static_cast<std::size_t>(index);
  const std::uint8_t function = m.ButtonFunction[i];
  if (function >= kFunctionCount) return OutOfRange("function", function) + ", sent as no function";
  std::string words = U8(FunctionText(function, language));
  switch (function) {
    case function_index::kDpiSwitch: {
      const TextView text = DpiSwitchText(m.DpiSwitchCode[i]);
      return words + ": " + (text.empty() ? OutOfRange("sub-code", m.DpiSwitchCode[i]) : U8(text));
    }
    case function_index::kWindows: return words + ": " + ListItemWords(WindowsFunctionList, m.WindowsIndex[i], language);
    case function_index::kMultimedia: return words + ": " + ListItemWords(MediaKeyList, m.MediaIndex[i], language);
    case function_index::kHotKey: return words + ": " + ListItemWords(HotKeyList, m.HotKeyIndex[i], language);
    case function_index::kFireKey: {
      const auto key = FireKeyTextFromCode(m.FireKeyUsage[i]);
      return words + ": " + (key ? U8(*key) : "key code " + Hex(m.FireKeyUsage[i]) + " (not in the fire key list)") +
             ", " + FireTimesWords(m.FireTimes[i]) + ", make time " + FireTimeWords(m.FireMakeTime) +
             ", break time " + FireTimeWords(m.FireBreakTime);
    }
    case function_index::kSingleKey: {
      const std::uint8_t code = m.SingleKeyUsage[i];
      const auto key = KeyNameFromCode(code);
      if (key) return words + ": " + U8(*key);
      return words + ": " + (code == 0 ? std::string("no key") : "key code " + Hex(code) + " (not in the key table)");
    }
    case function_index::kSnipeKey: {
      const auto values = SnipeDpiList(variant);
      const std::uint8_t position = m.SnipeIndex[i];
      return words + ": " + (position < values.size() ? U8(values[position]) + " DPI" : OutOfRange("item", position)) +
             ", snipe code " + Hex(m.SnipeDpiCode);
    }
    default: return words;
  }
}

void PrintSettings(std::ostream& os, const std::string& path, const SettingsModel& m, std::uint8_t variant,
                   Language language) {
  const InterfaceTexts& t = TextsFor(language);
  os << "Settings: " << path << '\n';
  os << "Report rate: " << ReportRateWords(m.ReportRateCode) << '\n';
  os << "DPI stages (table variant " << unsigned{variant} << "):\n";
  for (std::size_t s = 0; s < kDpiStages; ++s) {
    os << "  Stage " << s + 1 << ": " << DpiWords(m.DpiLevel[s], variant) << ", " << InUseWords(m.DpiStageEnabled[s])
       << ", colour " << ColourWords(m.DpiStageColor[s]) << '\n';
  }
  os << "Lighting: " << LightingWords(m, t) << '\n';
  os << "Button mode shown: "
     << (m.ButtonMode == 0 ? "Mode A" : m.ButtonMode == 1 ? "Mode B" : OutOfRange("mode", m.ButtonMode)) << '\n';
  for (int mode = 0; mode < 2; ++mode) {
    os << (mode == 0 ? "Mode A:\n" : "Mode B:\n");
    for (int button = 1; button <= kShownButtons; ++button) {
      os << "  Button " << button << ": " << ButtonWords(m, ButtonIndex(button, mode), variant, language) << '\n';
    }
  }
}

}  // namespace

int CmdShow(Context& ctx) {
  if (std::find(ctx.args.begin(), ctx.args.end(), "--json") != ctx.args.end()) return CmdShowJson(ctx);
  std::string error;
  const auto args = ParseArgs(ctx.args, {"--variant", "--lang"}, error);
  if (!args) return UsageError(ctx, "show: " + error);
  if (args->positional.size() > 1) return UsageError(ctx, "show: unexpected argument '" + args->positional[1] + "'");
  std::uint8_t variant = 0;
  if (const auto text = args->Option("--variant")) {
    const auto parsed = ParseVariant(*text);
    if (!parsed) return UsageError(ctx, "show: --variant must be 0, 1, 2 or 3, not '" + *text + "'");
    variant = *parsed;
  }
  std::optional<Language> language;
  if (const auto text = args->Option("--lang")) {
    const auto parsed = ParseLanguage(*text);
    if (!parsed) return UsageError(ctx, "show: --lang must be CHS, CHT or EN, not '" + *text + "'");
    language = *parsed;
  }
  // Only arguments that make sense reach the default settings folder, which
  // may be made now.
  const auto chosen = ConfigPathOr(ctx, args->positional.empty() ? std::nullopt : std::optional(args->positional[0]));
  if (!chosen) return kExitUsage;
  const std::string& configPath = *chosen;
  if (!language) language = LanguageBeside(configPath);

  const auto config = ReadConfigFile(configPath, error);
  if (!config) return UsageError(ctx, error);
  std::ostringstream text;
  PrintSettings(text, configPath, config->model, variant, *language);
  ctx.out << text.str() << std::flush;
  return kExitOk;
}

int CmdCompose(Context& ctx) {
  std::string error;
  const auto args = ParseArgs(ctx.args, {}, error);
  if (!args) return UsageError(ctx, "compose: " + error);
  if (args->positional.size() != 3) return UsageError(ctx, "compose: expected CONFIG.BIN IMAGE_IN IMAGE_OUT");
  const std::string& configPath = args->positional[0];
  const std::string& imageInPath = args->positional[1];
  const std::string& imageOutPath = args->positional[2];

  const auto config = ReadConfigFile(configPath, error);
  if (!config) return UsageError(ctx, error);
  auto image = ReadImageFile(imageInPath, error);
  if (!image) return UsageError(ctx, error);

  // As the apply flow does, with the status bytes as IMAGE_IN has them.
  WriteFixedTables(*image);
  ComposeFromModel(*image, config->model, DpiTableVariantOf(*image));
  if (!WriteImageFile(imageOutPath, *image, error)) return UsageError(ctx, error);
  return kExitOk;
}

}  // namespace px::cli
