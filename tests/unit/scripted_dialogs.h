#pragma once
// A parameter-dialog port for the tests of the assignment flow.
#include <cstdint>
#include <optional>
#include <vector>

#include "buttons/assignment.h"

namespace px {

// Answers each parameter dialog with the next scripted choice (nothing =
// Cancel) and remembers which functions asked.
class ScriptedDialogs final : public ParameterDialogPort {
 public:
  std::vector<std::optional<DialogChoice>> answers;
  std::vector<std::uint8_t> asked;
  std::optional<DialogChoice> Run(std::uint8_t function) override {
    asked.push_back(function);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
};

}  // namespace px
