#include <ostream>

#include "cli.h"

namespace px::cli {

int UsageError(Context& ctx, const std::string& message) {
  ctx.err << "px6410ctl: " << message << '\n';
  return kExitUsage;
}

}  // namespace px::cli
