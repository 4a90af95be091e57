#pragma once
// How a line of the interface's text sits in its rectangle, on the page and
// in the small dialogs alike: always one line, vertically centred.
#include <cstdint>

namespace px {

enum class TextAlign : std::uint8_t { Centre, Left, Right };

struct TextFormat {
  TextAlign align = TextAlign::Centre;
  // A whole text is drawn beyond the rectangle's edges rather than cut off
  // mid-letter.
  bool whole = false;
  friend constexpr bool operator==(const TextFormat&, const TextFormat&) = default;
};

inline constexpr TextFormat kCentredText{TextAlign::Centre, false};
inline constexpr TextFormat kWholeCentredText{TextAlign::Centre, true};
inline constexpr TextFormat kLeftText{TextAlign::Left, false};
inline constexpr TextFormat kWholeLeftText{TextAlign::Left, true};
inline constexpr TextFormat kRightText{TextAlign::Right, false};
inline constexpr TextFormat kWholeRightText{TextAlign::Right, true};

}  // namespace px
