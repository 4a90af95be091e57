#pragma once
// The interface fonts for the Qt windows: the font table's choice with its
// stand-in for the Windows face (StandInFor).
#include <QFont>

#include "skin/ui_font.h"

namespace px {

QFont UiFontQt(Language language, FontRole role);

}  // namespace px
