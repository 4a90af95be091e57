#pragma once
// The 8 + 8 button labels: shown on the page's rows, kept per language in
// str.ini, and never rebuilt from the model.
#include <array>
#include <cstddef>

#include "common/text.h"
#include "model/settings_model.h"

namespace px {

// Mode A buttons 1..8, then Mode B buttons 1..8, as the main window keeps them.
using LabelSet = std::array<Text, 2 * kButtonsPerMode>;

// The one way a label enters the set (a choice on the page or from the
// command line, a label read from str.ini): as printable, well-formed text
// (common/printable_text.h), so that str.ini never receives what no reader
// can decode. Offending code units are dropped, the rest of the label kept.
void SetLabel(LabelSet& labels, std::size_t index, TextView label);

}  // namespace px
