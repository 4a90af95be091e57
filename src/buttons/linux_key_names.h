#pragma once
// The single key dialog's names for keys captured on Linux: the physical key
// (the kernel's key code, which X11 and Wayland report plus 8) named as the
// Windows key-name service names it on an English layout, so that the name
// finds its code in the KeyNameTable. Naming the physical key keeps the
// code the mouse sends on the key the user pressed, whatever the layout.
#include <string_view>

#include "common/text.h"

namespace px {

// The name of a key by its Linux key code; empty for a key the KeyNameTable
// has no name for (Menu, F13 and up, the media keys, the ISO key beside the
// left Shift...).
TextView KeyNameOfLinuxKeyCode(unsigned code);
// The same by the key code X11 and Wayland (xkb) report: the kernel's plus 8.
TextView KeyNameOfXkbKeyCode(unsigned code);

// A toolkit's enumerator of a key as its name: "Key_Dead_Grave" is "Dead Grave".
Text KeyNameOfEnumerator(std::string_view enumerator);

// The platform's own name for a key the table has no name for, as the row
// and str.ini can keep it: printable, well-formed text (AltGr, Compose, dead
// and media keys come from the platform as code points that are no text),
// else no name.
Text ReadableKeyName(TextView platformName);

}  // namespace px
