#pragma once
// A set of NAME=VALUE assignments made as the page would make them, all
// checked before the caller writes anything.
#include <optional>
#include <string>
#include <vector>

#include "model/label_set.h"
#include "model/settings_model.h"
#include "setting_names.h"

namespace px::cli {

struct Assignment {
  std::string text;  // NAME=VALUE as given, for messages
  SettingName name;
  std::string valueText;
  std::optional<SettingValue> value;  // nothing: the value is the one the model holds, left alone
};

// Splits and parses the assignments against the model as it is. The first
// bad one answers an error: "NAME=VALUE: what is allowed".
std::optional<std::string> ParseAssignments(const std::vector<std::string>& texts, const SettingsModel& model,
                                            const Vocabulary& words, std::vector<Assignment>& out);

struct EditState {
  SettingsModel model;
  LabelSet labels;
};

// Applies every assignment through the page's and the assignment flow's
// rules, in an order that does not depend on the order given: the report
// rate, the lighting mode before its parameter and effect, stages put in use
// before others are taken out, buttons before Shift is given, the shown mode
// last. Then checks what the call as a whole must keep: a Left Click in each
// mode that had one, and every button as asked. An error names the
// assignment and what is allowed; `state` is then not to be used.
std::optional<std::string> ApplyAssignments(EditState& state, const std::vector<Assignment>& assignments,
                                            const Vocabulary& words);

}  // namespace px::cli
