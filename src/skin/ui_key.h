#pragma once
// The keys the windows give their controllers, in the core's words: Enter and
// Escape end a small dialog and send the main window back to its icon; every
// other key stays with the toolkit's own handling.
#include <cstdint>

namespace px {

enum class UiKey : std::uint8_t { Enter, Escape, Other };

}  // namespace px
