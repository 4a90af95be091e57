#pragma once
// PageState: whether the settings page is drawn and its controls exist.

namespace px {

inline constexpr int kPageNotBuilt = 0;
inline constexpr int kPageBuilt = 1;
inline constexpr int kPageRebuilding = 2;

}  // namespace px
