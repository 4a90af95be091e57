#pragma once
// The field rules of the six parameter dialogs: what each list holds in each
// language, what a dialog shows when it opens, the fire key dialog's number
// rules and texts, and the single key dialog's keyboard decisions. The
// windows in src/buttons/win32 only carry these out.
#include <cstdint>
#include <optional>
#include <vector>

#include "common/text.h"
#include "model/interface_texts.h"
#include "skin/dialog_frame.h"

namespace px {

// The items of a dialog's drop-down list, in list order; the position is the
// dialog's result. The snipe list follows the DPI table variant (nothing for
// a variant outside 0..3); the skins list is not a field of these dialogs.
std::vector<TextView> DialogListItems(DialogKind kind, Language language, std::uint8_t dpiTableVariant = 0);

// What the label shows at opening: entry 0 of the list (empty when the list
// is); the fire key dialog always opens at "L-Button".
TextView InitialChoiceText(DialogKind kind, Language language, std::uint8_t dpiTableVariant = 0);

// --- Fire key dialog -------------------------------------------------------

inline constexpr TextView kFireTimesDefaultText = u"1";
inline constexpr TextView kFireTimeDefaultText = u"32";

// The field's text as an integer: leading blanks, an optional sign, then the
// leading decimal digits; empty or non-digit text gives 0. Values too large for any field are held at a large value instead of
// wrapping, so that they are refused like any other out-of-range number.
std::int64_t LeadingNumber(TextView text);

// The outcome of one rule: the value used, and the text the field is reset
// to when the number was out of range.
struct FireFieldOutcome {
  std::uint8_t value = 0;
  std::optional<TextView> resetText;
  friend bool operator==(const FireFieldOutcome&, const FireFieldOutcome&) = default;
};
// Times 0..127 (0: firing ends when the button is released), else "1".
FireFieldOutcome ApplyTimesRule(TextView text);
// Make and break time 5..255, else "5".
FireFieldOutcome ApplyTimeRule(TextView text);

struct FireKeyTexts {
  TextView times, make, breakTime, timeNote, timesNote;
};
const FireKeyTexts& FireKeyTextsFor(Language language);

// Places of the fire key dialog's own texts and fields (client coordinates).
inline constexpr Rect kFireTimesCaption{-7, 104, 78, 118};
inline constexpr Rect kFireMakeCaption{-7, 138, 78, 152};
inline constexpr Rect kFireBreakCaption{-7, 172, 78, 186};
inline constexpr Rect kFireTimeNote{23, 198, 433, 224};
inline constexpr Rect kFireTimesNote{23, 214, 433, 240};
inline constexpr Rect kFireChosenText{82, 69, 137, 85};
inline constexpr Rect kFireTimesField{83, 104, 164, 118};
inline constexpr Rect kFireMakeField{83, 138, 164, 152};
inline constexpr Rect kFireBreakField{83, 172, 164, 186};
inline constexpr int kFireTimesId = 575;
inline constexpr int kFireMakeId = 576;
inline constexpr int kFireBreakId = 577;

// --- Single key dialog -----------------------------------------------------

TextView SingleKeyPrompt(Language language);
inline constexpr Rect kSingleKeyPrompt{43, 108, 181, 124};
inline constexpr std::size_t kKeyNameBuffer = 32;  // wide characters, terminator included

// A queued message as the dialog's filter sees it, in the core's words: is it
// a key press, and which key does its parameter name. The window translates
// the system's numbers (buttons/win32/single_key_filter.h).
enum class QueuedMessage : std::uint8_t { KeyDown, Other };
enum class QueuedKey : std::uint8_t { WindowsKey, Enter, Escape, Other };

// Whether the dialog's filter swallows a queued message before dispatch:
// anything carrying a Windows key's code, whatever the message, and Enter
// and Escape key-downs, which would otherwise end the dialog.
bool SingleKeySwallows(QueuedMessage message, QueuedKey key);

// What the keyboard hook is told: a keystroke taken from the queue, or
// anything else (a peek that leaves it there).
enum class HookNotice : std::uint8_t { Keystroke, Other };

// Whether the keyboard hook captures this notice or only passes it on.
bool KeyHookCaptures(HookNotice notice);

// The captured name: the buffer's text up to its first terminator.
Text KeyNameFromBuffer(const char16_t* buffer, std::size_t size);

// The install failure box's text: "KeyboardHook_SingleDlgKey Install error code :%d\n".
Text HookInstallErrorText(unsigned long error);

}  // namespace px
