#pragma once
// Text that every reader of the settings files and every row can take:
// well-formed UTF-16 (surrogates only in pairs) without control characters.
// Names the system gives keys it has no word for, and texts from files or the
// command line, can be neither; str.ini written with them cannot be read back.
#include "common/text.h"

namespace px {

// True when the text is well-formed UTF-16 and holds no control character
// (C0, DEL, C1) and no noncharacter U+FFFE / U+FFFF.
bool IsPrintableText(TextView text);

// The text with every offending code unit dropped (an unpaired surrogate, a
// control character, U+FFFE / U+FFFF); tabs and line breaks become a blank,
// so that words stay apart. Printable text comes back unchanged.
Text PrintableText(TextView text);

}  // namespace px
