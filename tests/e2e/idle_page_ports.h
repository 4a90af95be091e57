#pragma once
// Ports of a settings page that runs alone, for the drawing benchmarks and
// screenshots of both systems: no command, dialog or settings file answers.
#include <cstdint>
#include <optional>

#include "page/settings_page.h"

namespace px {

class NoCommands final : public PageCommands {
 public:
  void Ok() override {}
  void Apply() override {}
  void Cancel() override {}
  void Minimise() override {}
  void Close() override {}
  void RunSkinFlow() override {}
};

// Nothing here ever chooses in a button list.
class NoDialogs final : public ParameterDialogPort {
 public:
  std::optional<DialogChoice> Run(std::uint8_t) override { return std::nullopt; }
};

class NoStore final : public ProfileStore {
 public:
  Text Read(TextView, TextView) override { return {}; }
  bool Write(TextView, TextView, TextView) override { return true; }
};

}  // namespace px
