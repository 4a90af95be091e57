#include "buttons/dialog_items.h"

#include "model/dpi_table.h"

namespace px {

std::span<const TextView> SnipeDpiList(std::uint8_t variant) {
  // The same values as the settings page's level labels, but an unknown
  // variant offers nothing rather than the twelve-level list.
  if (variant >= DpiCodeTable.size()) return {};
  return DpiLevelLabels(variant);
}

}  // namespace px
