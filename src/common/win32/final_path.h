#pragma once
// The path an open handle really names: the system's own answer, which
// follows symbolic links, junctions and mount points alike.
#include <windows.h>

#include <optional>

#include "common/native_path.h"

namespace px {

std::optional<NativePath> FinalPathOf(HANDLE handle);

}  // namespace px
