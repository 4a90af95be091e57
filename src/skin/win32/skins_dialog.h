#pragma once
// The skin chooser's folder search on Windows (the chooser itself is
// skin/skin_chooser_controller.h, in a SkinnedDialog).
#include "skin/skin_chooser.h"

namespace px {

// FindFirstFileW over root\*.*; the root as GetFullPathNameW gives it.
class Win32FolderSearch final : public FolderSearchPort {
 public:
  FolderListing Search(TextView root) override;
};

}  // namespace px
