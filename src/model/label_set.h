#pragma once
// The 8 + 8 button labels: shown on the page's rows, kept per language in
// str.ini, and never rebuilt from the model.
#include <array>

#include "common/text.h"
#include "model/settings_model.h"

namespace px {

// Mode A buttons 1..8, then Mode B buttons 1..8, as the main window keeps them.
using LabelSet = std::array<Text, 2 * kButtonsPerMode>;

}  // namespace px
