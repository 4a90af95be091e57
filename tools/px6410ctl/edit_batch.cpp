#include "edit_batch.h"

#include <functional>

#include "buttons/assignment.h"
#include "model/button_catalogue.h"
#include "page/settings_edits.h"

namespace px::cli {

namespace {

namespace fi = function_index;

// The dialog of a function answers what the command line gave.
class GivenDialog final : public ParameterDialogPort {
 public:
  explicit GivenDialog(DialogChoice choice) : choice_(std::move(choice)) {}
  std::optional<DialogChoice> Run(std::uint8_t) override { return choice_; }

 private:
  DialogChoice choice_;
};

// dpi.N and dpi.N.level set the same thing.
SettingName SameSlot(SettingName n) {
  if (n.setting == Setting::DpiLevel) n.setting = Setting::DpiValue;
  return n;
}

std::string LightModeWord(const SettingsModel& m) {
  return FormatSettingValue({.setting = Setting::LightMode}, m, {});
}

std::string ParamWordsOf(int lightMode) {
  std::string out;
  for (const auto& w : ValueWords(lightMode == kLightModeStandard ? Setting::StandardParam : Setting::RespirationParam, {})) {
    if (!out.empty()) out += ' ';
    out += w;
  }
  return out;
}

bool Refused(EditOutcome outcome) { return outcome == EditOutcome::Refused; }

// A lighting choice made in the given mode, as the page makes it: choose that
// mode, make the choice, choose the mode in force again.
std::optional<std::string> InLightMode(SettingsModel& m, int lightMode, const Assignment& a,
                                       const std::function<EditOutcome(SettingsModel&)>& choose) {
  const std::uint8_t inForce = m.LightMode;
  if (inForce == lightMode) return Refused(choose(m)) ? std::optional<std::string>(a.text + ": refused") : std::nullopt;
  SettingsModel trial = m;
  if (Refused(ChooseLightMode(trial, lightMode)) || Refused(choose(trial))) return a.text + ": refused";
  if (Refused(ChooseLightMode(trial, inForce))) {
    // Neon cannot be chosen again: only a choice that changes nothing stays possible.
    trial.LightMode = inForce;
    if (trial == m) return std::nullopt;
    return a.text + ": the utility keeps this choice only by leaving the " + LightModeWord(m) +
           " mode; set light.mode too";
  }
  m = trial;
  return std::nullopt;
}

std::optional<std::string> ApplyLighting(SettingsModel& m, const Assignment& a) {
  const SettingValue& v = *a.value;
  switch (a.name.setting) {
    case Setting::LightMode: return Refused(ChooseLightMode(m, v.number)) ? std::optional(a.text + ": refused") : std::nullopt;
    case Setting::LightParam:
      if (m.LightMode != kLightModeStandard && m.LightMode != kLightModeRespiration) {
        return a.text + ": light.mode " + LightModeWord(m) + " has no parameter to choose";
      }
      if (m.LightMode != v.lightList) {
        return a.text + ": light.mode " + LightModeWord(m) + " takes " + ParamWordsOf(m.LightMode);
      }
      return Refused(ChooseLightParameter(m, v.number)) ? std::optional(a.text + ": refused") : std::nullopt;
    case Setting::LightEffect:
      // The effect Standard shows, as `get` prints it, changes nothing.
      if (m.LightMode != kLightModeRespiration &&
          ValueWords(Setting::LightEffect, {})[static_cast<std::size_t>(v.number)] == FormatSettingValue(a.name, m, {})) {
        return std::nullopt;
      }
      if (m.LightMode != kLightModeRespiration) {
        return a.text + ": only light.mode respiration offers an effect (rgb-effect, rgb-flash); light.mode is " +
               LightModeWord(m);
      }
      return Refused(ChooseLightEffect(m, v.number)) ? std::optional(a.text + ": refused") : std::nullopt;
    case Setting::StandardParam:
      return InLightMode(m, kLightModeStandard, a, [&](SettingsModel& t) { return ChooseLightParameter(t, v.number); });
    case Setting::RespirationParam:
      return InLightMode(m, kLightModeRespiration, a, [&](SettingsModel& t) { return ChooseLightParameter(t, v.number); });
    case Setting::RespirationEffect:
      return InLightMode(m, kLightModeRespiration, a, [&](SettingsModel& t) { return ChooseLightEffect(t, v.number); });
    default: return std::nullopt;
  }
}

std::optional<std::string> ApplyStage(SettingsModel& m, const Assignment& a, const Vocabulary& words) {
  const SettingValue& v = *a.value;
  const int s = a.name.stage;
  switch (a.name.setting) {
    case Setting::DpiValue:
    case Setting::DpiLevel:
      if (Refused(SetStageLevel(m, s, v.number, words.dpiTableVariant))) return a.text + ": refused";
      return std::nullopt;
    case Setting::DpiColor: SetStageColor(m, s, v.color); return std::nullopt;
    case Setting::DpiEnabled:
      if ((v.number == 1) == StageInUse(m, s)) return std::nullopt;
      if (Refused(ToggleStage(m, s))) {
        return a.text + ": stage " + std::to_string(s) + " is the last stage in use, and one always stays in use";
      }
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::optional<std::string> ApplyButton(EditState& state, const Assignment& a, const Vocabulary& words) {
  SettingsModel& m = state.model;
  const ButtonValue& v = a.value->button;
  const int index = ButtonIndex(a.name.button, a.name.mode);
  if (ButtonHolds(m, index, v, words, true)) return std::nullopt;
  const std::uint8_t shownMode = m.ButtonMode;
  m.ButtonMode = static_cast<std::uint8_t>(a.name.mode);
  const AssignmentTarget target{m, state.labels, words.language, words.dpiTableVariant};
  std::optional<std::string> error;
  if (v.function == fi::kDpiSwitch) {
    CommitDpiChoice(target, a.name.button, v.dpiEntry);
  } else {
    DialogChoice choice = v.choice;
    // Make and break times not given keep their shared values, as if typed
    // into the dialog as they stand.
    if (!v.makeGiven) choice.makeTime = m.FireMakeTime;
    if (!v.breakGiven) choice.breakTime = m.FireBreakTime;
    GivenDialog dialog(std::move(choice));
    if (CommitButtonChoice(target, a.name.button, v.function, dialog) == CommitOutcome::ShiftTaken) {
      const int holder = ShiftButton(m, a.name.mode).value_or(0);
      error = a.text + ": Mode " + (a.name.mode == 1 ? "B" : "A") + " already has Shift on button " +
              std::to_string(holder) + "; one button holds Shift, the same in both modes";
    }
  }
  m.ButtonMode = shownMode;
  return error;
}

// The assignment to name when a mode lost its last Left Click: the first
// that changed a button of that mode which held it.
const Assignment* LeftClickTaker(const std::vector<Assignment>& list, const SettingsModel& before,
                                 const SettingsModel& after, int mode) {
  for (const Assignment& a : list) {
    if (a.name.setting != Setting::Button || !a.value) continue;
    const auto i = static_cast<std::size_t>(ButtonIndex(a.name.button, mode));
    if (before.ButtonFunction[i] == fi::kLeftClick && after.ButtonFunction[i] != fi::kLeftClick) return &a;
  }
  return nullptr;
}

std::string WhyNotHeld(const Assignment& a, const SettingsModel& m, const std::vector<Assignment>& list) {
  const auto i = static_cast<std::size_t>(ButtonIndex(a.name.button, a.name.mode));
  const ButtonValue& v = a.value->button;
  if (m.ButtonFunction[i] == fi::kShift || v.function == fi::kShift) {
    for (const Assignment& other : list) {
      if (&other != &a && other.name.setting == Setting::Button && other.name.button == a.name.button && other.value) {
        return a.text + " and " + other.text + " disagree: Shift is kept on the same button in both modes";
      }
    }
  }
  if (v.function == fi::kFireKey && m.ButtonFunction[i] == fi::kFireKey) {
    return a.text + ": make and break times are shared by every fire key button, and another assignment gives others";
  }
  return a.text + ": changed again by another assignment of this call";
}

}  // namespace

std::optional<std::string> ParseAssignments(const std::vector<std::string>& texts, const SettingsModel& model,
                                            const Vocabulary& words, std::vector<Assignment>& out) {
  out.clear();
  for (const std::string& text : texts) {
    const std::size_t eq = text.find('=');
    if (eq == std::string::npos) return "'" + text + "' is not NAME=VALUE";
    Assignment a{.text = text, .name = {}, .valueText = text.substr(eq + 1), .value = std::nullopt};
    const auto name = ParseSettingName(std::string_view(text).substr(0, eq));
    if (!name) return "unknown name '" + text.substr(0, eq) + "' (names: " + NameSummary() + ")";
    a.name = *name;
    for (const Assignment& earlier : out) {
      if (SameSlot(earlier.name) == SameSlot(a.name)) return text + ": " + earlier.text + " sets it already";
    }
    std::string error;
    a.value = ParseSettingValue(a.name, a.valueText, words, error);
    // A value outside the tables, as `get` prints it, may be given back where it changes nothing.
    if (!a.value && a.valueText != FormatSettingValue(a.name, model, words)) return text + ": " + error;
    out.push_back(std::move(a));
  }
  return std::nullopt;
}

std::optional<std::string> ApplyAssignments(EditState& state, const std::vector<Assignment>& list,
                                            const Vocabulary& words) {
  const SettingsModel before = state.model;
  SettingsModel& m = state.model;
  using Filter = std::function<bool(const Assignment&)>;
  using Step = std::function<std::optional<std::string>(const Assignment&)>;
  const auto is = [](Setting s) { return Filter([s](const Assignment& a) { return a.name.setting == s; }); };
  const auto lighting = [&](const Assignment& a) { return ApplyLighting(m, a); };
  const auto stage = [&](const Assignment& a) { return ApplyStage(m, a, words); };
  const auto button = [&](const Assignment& a) { return ApplyButton(state, a, words); };
  const auto enabled = [](int on) {
    return Filter([on](const Assignment& a) { return a.name.setting == Setting::DpiEnabled && a.value->number == on; });
  };
  const auto shift = [](bool wanted) {
    return Filter([wanted](const Assignment& a) {
      return a.name.setting == Setting::Button && (a.value->button.function == fi::kShift) == wanted;
    });
  };
  const std::vector<std::pair<Filter, Step>> phases{
      {is(Setting::Rate),
       [&](const Assignment& a) {
         return Refused(SelectReportRate(m, a.value->number)) ? std::optional(a.text + ": refused") : std::nullopt;
       }},
      {is(Setting::LightMode), lighting},
      {[](const Assignment& a) {
         return a.name.setting == Setting::StandardParam || a.name.setting == Setting::RespirationParam ||
                a.name.setting == Setting::RespirationEffect;
       },
       lighting},
      {[](const Assignment& a) { return a.name.setting == Setting::LightParam || a.name.setting == Setting::LightEffect; },
       lighting},
      {enabled(1), stage},
      {[](const Assignment& a) {
         return a.name.setting == Setting::DpiValue || a.name.setting == Setting::DpiLevel ||
                a.name.setting == Setting::DpiColor;
       },
       stage},
      {enabled(0), stage},
      {is(Setting::Buttons),
       [&](const Assignment&) {
         RestoreDefaultButtons({m, state.labels, words.language, words.dpiTableVariant});
         return std::optional<std::string>();
       }},
      {shift(false), button},
      {shift(true), button},
      {is(Setting::ButtonMode),
       [&](const Assignment& a) {
         return Refused(SelectButtonMode(m, a.value->number)) ? std::optional(a.text + ": refused") : std::nullopt;
       }},
  };
  for (const auto& [applies, step] : phases) {
    for (const Assignment& a : list) {
      if (!a.value || !applies(a)) continue;
      if (auto error = step(a)) return error;
    }
  }

  for (int mode : {0, 1}) {
    if (!ModeHasLeftClick(before, mode) || ModeHasLeftClick(m, mode)) continue;
    const Assignment* taker = LeftClickTaker(list, before, m, mode);
    const std::string letter = mode == 1 ? "B" : "A";
    return (taker ? taker->text : "button." + letter) + ": Mode " + letter +
           " would keep no Left Click (\"Left key must be selected!\"); give Left Click to another button of Mode " +
           letter + " first, or in the same call";
  }
  for (const Assignment& a : list) {
    if (a.name.setting != Setting::Button || !a.value) continue;
    if (!ButtonHolds(m, ButtonIndex(a.name.button, a.name.mode), a.value->button, words, false)) {
      return WhyNotHeld(a, m, list);
    }
  }
  return std::nullopt;
}

}  // namespace px::cli
