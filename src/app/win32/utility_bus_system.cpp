#include "app/win32/utility_bus.h"

namespace px {

std::unique_ptr<HidBus> MakeUtilityHidBus(TextView) { return MakeSystemHidBus(); }

}  // namespace px
