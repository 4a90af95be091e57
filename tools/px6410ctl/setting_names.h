#pragma once
// The words of `set`, `get` and the JSON profiles: a plain name for every
// setting the page edits ("rate", "dpi.2", "button.A.3"...) and the values
// each takes. Values are written without blanks, so that `get` output can be
// handed back to `set` as it stands.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "buttons/assignment.h"
#include "model/interface_texts.h"
#include "model/settings_model.h"

namespace px::cli {

enum class Setting {
  Rate,               // rate
  DpiValue,           // dpi.N: a DPI value of the variant's table
  DpiLevel,           // dpi.N.level: 1 is the lowest
  DpiEnabled,         // dpi.N.enabled
  DpiColor,           // dpi.N.color
  LightMode,          // light.mode
  LightParam,         // light.param: of the mode in force
  LightEffect,        // light.effect: of the mode in force
  StandardParam,      // light.standard.param: kept for when Standard is chosen
  RespirationParam,   // light.respiration.param
  RespirationEffect,  // light.respiration.effect
  ButtonMode,         // mode: the table the utility shows
  Buttons,            // buttons=default: the Default button, both modes
  Button,             // button.A.N, button.B.N
};

struct SettingName {
  Setting setting = Setting::Rate;
  int stage = 0;   // DPI stage 1..4
  int mode = 0;    // button mode, 0 = A, 1 = B
  int button = 0;  // 1..4
  friend bool operator==(const SettingName&, const SettingName&) = default;
};

std::optional<SettingName> ParseSettingName(std::string_view text);
std::string SettingNameText(const SettingName& name);

// One line that lists the names, for messages.
std::string NameSummary();

// Where a value's words come from: the DPI values follow the sensor's table
// variant, button labels are built in the language of the str.ini.
struct Vocabulary {
  std::uint8_t dpiTableVariant = 0;
  Language language = Language::English;
};

// A value of button.M.N: the list entry chosen, and what the DPI sub-list
// or the parameter dialog would have answered.
struct ButtonValue {
  std::uint8_t function = 0;
  int dpiEntry = -1;          // DPI Switch: sub-list entry 0..2
  DialogChoice choice{};      // functions with a dialog
  bool makeGiven = false;     // fire key: make and break given; else the
  bool breakGiven = false;    // shared times stay as they are
};

struct SettingValue {
  int number = 0;          // rate segment 1..4, level 1.., 0/1, light mode, list item, button mode
  int lightList = 0;       // light parameters: the mode whose list holds the item (1 or 2)
  Rgb color{};
  ButtonValue button;
};

// The value, or nothing with `error` set to what is allowed.
std::optional<SettingValue> ParseSettingValue(const SettingName& name, std::string_view text, const Vocabulary& words,
                                              std::string& error);

// The value the model holds, in the words `set` takes. A value outside the
// tables reads "unknown-N" (N its byte); `set` accepts it back only where
// it changes nothing.
std::string FormatSettingValue(const SettingName& name, const SettingsModel& model, const Vocabulary& words);

// The words a name takes, for help and completion. `blank` names a part the
// user fills in (a key name, a DPI value).
std::vector<std::string> ValueWords(Setting setting, const Vocabulary& words);

// Every name a profile holds, in a stable order: the names `get` prints with
// no name given and `show --json` writes.
std::vector<SettingName> ProfileNames(const SettingsModel& model, const Vocabulary& words);

// Whether the button holds this value: its function, its own parameter, and
// the fire times given. With `snipeCodeToo` the shared snipe code must be the
// value's as well; an assignment the button holds in that sense changes
// nothing, labels included.
bool ButtonHolds(const SettingsModel& model, int index, const ButtonValue& value, const Vocabulary& words,
                 bool snipeCodeToo);

// The key names `key:` takes and the keys `fire:` takes, as written.
std::vector<std::string> KeyWords();
std::vector<std::string> FireKeyWords();

}  // namespace px::cli
