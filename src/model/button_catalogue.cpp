#include "model/button_catalogue.h"

#include <cstddef>

namespace px {

namespace {

// Where a function's code byte comes from.
enum class CodeSource { Fixed, DpiSwitch, Windows, Media, HotKey, FireKey, SingleKey };

struct EncodingRule {
  CodeSource source;
  std::uint8_t code;  // the fixed code, or what is added to the parameter
  std::uint8_t kind;  // for the fire key, the repeat count is added
};

// Forward is sent as button 5 (0xF4) and Backward as button 4 (0xF3): the
// codes run the other way from the list order.
constexpr std::array<EncodingRule, kFunctionCount> kEncoding{{
    {CodeSource::Fixed, 0xF0, entry_kind::kKeyCode},                // Left Click
    {CodeSource::Fixed, 0xF1, entry_kind::kKeyCode},                // Right Click
    {CodeSource::Fixed, 0xF2, entry_kind::kKeyCode},                // Mid Click
    {CodeSource::Fixed, 0xF4, entry_kind::kKeyCode},                // Forward
    {CodeSource::Fixed, 0xF3, entry_kind::kKeyCode},                // Backward
    {CodeSource::DpiSwitch, 0, entry_kind::kSpecial},               // DPI Switch
    {CodeSource::Windows, kWindowsTableBase, entry_kind::kKeyTable},  // Windows
    {CodeSource::Media, 0, entry_kind::kKeyTable},                  // Multimedia
    {CodeSource::HotKey, kHotKeyTableBase, entry_kind::kKeyTable},  // HotKey
    {CodeSource::FireKey, 0, entry_kind::kFireKey},                 // Fire Key
    {CodeSource::SingleKey, 0, entry_kind::kKeyCode},               // Single Key
    {CodeSource::Fixed, 0x0A, entry_kind::kSpecial},                // Snipe Key
    {CodeSource::Fixed, 0x00, entry_kind::kKeyCode},                // Key Off
    {CodeSource::Fixed, 0x06, entry_kind::kSpecial},                // Shift
}};

std::uint8_t Parameter(CodeSource source, const ButtonParameters& p) {
  switch (source) {
    case CodeSource::Fixed: return 0;
    case CodeSource::DpiSwitch: return p.dpiSwitchCode;
    case CodeSource::Windows: return p.windowsIndex;
    case CodeSource::Media: return p.mediaIndex;
    case CodeSource::HotKey: return p.hotKeyIndex;
    case CodeSource::FireKey: return p.fireKeyUsage;
    case CodeSource::SingleKey: return p.singleKeyUsage;
  }
  return 0;
}

// How the label of a confirmed choice is built.
enum class LabelShape { FunctionText, ChosenText, Joined };

constexpr std::array<LabelShape, kFunctionCount> kLabelShapes{
    LabelShape::FunctionText, LabelShape::FunctionText, LabelShape::FunctionText, LabelShape::FunctionText,
    LabelShape::FunctionText, LabelShape::ChosenText,   LabelShape::ChosenText,   LabelShape::Joined,
    LabelShape::ChosenText,   LabelShape::Joined,       LabelShape::Joined,       LabelShape::Joined,
    LabelShape::FunctionText, LabelShape::FunctionText,
};

std::uint8_t Wrap(unsigned value) { return static_cast<std::uint8_t>(value & 0xFFu); }

}  // namespace

ButtonParameters ButtonParametersAt(const SettingsModel& model, int index) {
  const auto i = static_cast<std::size_t>(index);
  return ButtonParameters{
      .dpiSwitchCode = model.DpiSwitchCode.at(i),
      .windowsIndex = model.WindowsIndex.at(i),
      .mediaIndex = model.MediaIndex.at(i),
      .hotKeyIndex = model.HotKeyIndex.at(i),
      .fireKeyUsage = model.FireKeyUsage.at(i),
      .fireTimes = model.FireTimes.at(i),
      .singleKeyUsage = model.SingleKeyUsage.at(i),
  };
}

ButtonEntry EncodeButtonEntry(std::uint8_t functionIndex, const ButtonParameters& parameters) {
  if (functionIndex >= kEncoding.size()) return {};
  const EncodingRule& rule = kEncoding[functionIndex];
  const unsigned kindAdd = rule.source == CodeSource::FireKey ? parameters.fireTimes : 0u;
  return ButtonEntry{.code = Wrap(Parameter(rule.source, parameters) + unsigned{rule.code}),
                     .kind = Wrap(unsigned{rule.kind} + kindAdd)};
}

ButtonEntry EncodeButtonEntry(const SettingsModel& model, int index) {
  return EncodeButtonEntry(model.ButtonFunction.at(static_cast<std::size_t>(index)), ButtonParametersAt(model, index));
}

TextView DpiSwitchText(std::uint8_t code) {
  for (const auto& item : DpiSwitchList) {
    if (item.code == code) return item.text;
  }
  return {};
}

TextView FunctionText(std::uint8_t functionIndex, Language language) {
  const auto& functions = TextsFor(language).ButtonFunctions;
  return functionIndex < functions.size() ? functions[functionIndex] : TextView{};
}

Text AssignmentLabel(std::uint8_t functionIndex, TextView functionText, TextView chosenText) {
  const LabelShape shape = functionIndex < kLabelShapes.size() ? kLabelShapes[functionIndex] : LabelShape::FunctionText;
  switch (shape) {
    case LabelShape::FunctionText: return Text(functionText);
    case LabelShape::ChosenText: return Text(chosenText);
    case LabelShape::Joined: break;
  }
  Text label(functionText);
  label += u'-';
  label += chosenText;
  return label;
}

Text AssignmentLabel(std::uint8_t functionIndex, Language language, TextView chosenText) {
  return AssignmentLabel(functionIndex, FunctionText(functionIndex, language), chosenText);
}

}  // namespace px
