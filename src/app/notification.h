#pragma once
// The balloons of the notification-area icon: which text, title and time-out
// a notification message asks for. The message comes from any process, so
// every type and value is possible; anything outside the table shows nothing.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "model/interface_texts.h"
#include "common/text.h"
#include "model/settings_model.h"

namespace px {

// The notification message's types (its first parameter), the same in every
// process that sends one.
inline constexpr std::uint64_t kNotifyReportRate = 5;
inline constexpr std::uint64_t kNotifyDpiStage = 7;
inline constexpr std::uint64_t kNotifyKeyMatrix = 8;
inline constexpr std::uint64_t kNotifyMacro = 9;
inline constexpr std::uint64_t kNotifyMouseDetected = 14;
inline constexpr std::uint64_t kNotifyMouseNotDetected = 15;

inline constexpr TextView kBalloonTitleInfo = u"Info";
inline constexpr TextView kBalloonTitleWarning = u"Warning";
inline constexpr unsigned kSwitchBalloonTimeoutMs = 5000;
inline constexpr unsigned kPresenceBalloonTimeoutMs = 100;
// The shortest time the icon's own balloon stays up, where a desktop has no
// notification service to keep it for its own time. Windows keeps a balloon
// at least as long whatever the program asks; the 100 ms of the presence
// balloons would be gone before anyone could read them.
inline constexpr unsigned kReadableBalloonMs = 10000;
constexpr unsigned ReadableBalloonMs(unsigned askedMs) {
  return askedMs < kReadableBalloonMs ? kReadableBalloonMs : askedMs;
}

struct Balloon {
  Text text;
  TextView title;
  unsigned timeoutMs = 0;
  friend bool operator==(const Balloon&, const Balloon&) = default;
};

// The DPI value label of stage 1..4 of the model in the variant in force.
using StageDpiLabel = std::function<Text(int stage)>;

// The DPI value label of stage 1..4 of the model in the variant; empty for a
// stage outside 1..4 or a level outside the variant's table (a damaged or
// foreign settings file).
Text StageDpiLabelOf(const SettingsModel& model, std::uint8_t variant, int stage);

// type and value are the message's wParam and lParam as received. The value
// counts as the 32-bit integer a sender formats with "%d".
std::optional<Balloon> DecideNotification(std::uint64_t type, std::int64_t value, const InterfaceTexts& texts,
                                          const StageDpiLabel& stageLabel);

// Copies text into a fixed field of capacity characters, always terminated,
// cut at the field's end and never in the middle of a surrogate pair.
// Answers the number of characters copied (without the terminator).
std::size_t CopyBounded(TextView text, char16_t* field, std::size_t capacity);

}  // namespace px
