#pragma once
// Ports of a settings page that runs alone, for the drawing benchmarks and
// screenshots of both systems: no command, dialog or settings file answers.
// The dialogs and str.ini are the unit tests' doubles, left without answers.
#include "../unit/port_fakes.h"
#include "../unit/scripted_dialogs.h"
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

}  // namespace px
