#include "app/notification.h"

#include <array>
#include <string>

#include "model/dpi_table.h"

namespace px {

namespace {

// Report-rate codes in the order of the texts: 1000, 500, 250, 125 Hz.
constexpr std::array<std::int32_t, 4> kReportRateValues = {1, 2, 4, 8};

Balloon Info(Text text) { return Balloon{std::move(text), kBalloonTitleInfo, kSwitchBalloonTimeoutMs}; }

Text DecimalText(std::int32_t number) {
  std::string digits = std::to_string(number);
  return Text(digits.begin(), digits.end());
}

}  // namespace

Text StageDpiLabelOf(const SettingsModel& model, std::uint8_t variant, int stage) {
  if (stage < 1 || stage > kDpiStages) return Text();
  const std::uint8_t level = model.DpiLevel[static_cast<std::size_t>(stage - 1)];
  const auto labels = DpiLevelLabels(variant);
  return level < labels.size() ? Text(labels[level]) : Text();
}

std::optional<Balloon> DecideNotification(std::uint64_t type, std::int64_t value, const InterfaceTexts& texts,
                                          const StageDpiLabel& stageLabel) {
  // The sender's value is an int: only the low 32 bits carry it.
  const auto number = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));

  switch (type) {
    case kNotifyReportRate:
      for (std::size_t i = 0; i < kReportRateValues.size(); ++i) {
        if (number == kReportRateValues[i]) return Info(Text(texts.ReportRateSwitched[i]));
      }
      return std::nullopt;
    case kNotifyDpiStage:
      if (number < 1 || number > 4) return std::nullopt;
      return Info(Text(texts.DpiStageSwitched[static_cast<std::size_t>(number - 1)]) +
                  (stageLabel ? stageLabel(number) : Text()));
    case kNotifyKeyMatrix:
      if (number < 1 || number > 2) return std::nullopt;
      return Info(Text(texts.KeyMatrixSwitched[static_cast<std::size_t>(number - 1)]));
    case kNotifyMacro:
      if (number == 0) return std::nullopt;
      return Info(Text(texts.MacroSwitched) + DecimalText(number));
    case kNotifyMouseDetected:
      return Balloon{Text(texts.MouseDetected), kBalloonTitleInfo, kPresenceBalloonTimeoutMs};
    case kNotifyMouseNotDetected:
      return Balloon{Text(texts.MouseNotDetected), kBalloonTitleWarning, kPresenceBalloonTimeoutMs};
    default:
      return std::nullopt;
  }
}

std::size_t CopyBounded(TextView text, char16_t* field, std::size_t capacity) {
  if (field == nullptr || capacity == 0) return 0;
  std::size_t count = text.size() < capacity - 1 ? text.size() : capacity - 1;
  // Do not leave a lone high surrogate at the cut.
  if (count < text.size() && count > 0) {
    char16_t last = text[count - 1];
    if (last >= 0xD800 && last <= 0xDBFF) --count;
  }
  for (std::size_t i = 0; i < count; ++i) field[i] = text[i];
  field[count] = u'\0';
  return count;
}

}  // namespace px
