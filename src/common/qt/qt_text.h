#pragma once
// px::Text is UTF-16 like QString: copies of the same code units, no
// conversion, for every Qt view.
#include <QString>

#include <cstddef>

#include "common/text.h"

namespace px {

inline QString ToQString(TextView text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }
inline Text TextOfQString(const QString& text) {
  return Text(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace px
