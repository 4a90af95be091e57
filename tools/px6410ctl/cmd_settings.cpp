// show and compose: the settings file and the image, no mouse involved.
#include "cli.h"

namespace px::cli {

int CmdShow(Context& ctx) { return UsageError(ctx, "show: not built yet"); }
int CmdCompose(Context& ctx) { return UsageError(ctx, "compose: not built yet"); }

}  // namespace px::cli
