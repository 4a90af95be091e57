#pragma once
// The interface fonts for the Qt windows: the face, height and weight the
// font table chooses, with the Windows faces taken by the free fonts of the
// same metrics (Arial by Liberation Sans, the Chinese faces by WenQuanYi).
#include <QFont>

#include "skin/ui_font.h"

namespace px {

QFont UiFontQt(Language language, FontRole role);

// The family that stands in for a Windows face name.
QString FontFamilyFor(TextView windowsFace);

}  // namespace px
