#pragma once
// X11's startup notification for a window shown at another start's request:
// without it a desktop that prevents focus stealing keeps the window behind
// the one the user is in, and the asking start's busy pointer spins on.
#include <string>

class QWidget;

namespace px {

// Gives the shown top-level `window` the start's id and its time, and ends
// that start's notice. Does nothing off X11 or without an id.
void ApplyX11StartupId(QWidget& window, const std::string& startupId);

}  // namespace px
