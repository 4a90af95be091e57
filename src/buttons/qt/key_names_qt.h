#pragma once
// The single key dialog's name for a Qt keystroke.
#include <QKeyEvent>

#include "common/text.h"

namespace px {

// The physical key's name from the key table when it has one (the key code
// that X11 and Wayland report, less 8, is the kernel's key code); otherwise
// Qt's own name for the key, when it is readable text, which shows on the
// row but sends nothing; else no name.
Text KeyNameOfQtKey(const QKeyEvent& event);

}  // namespace px
