// status, read, write, apply: commands that talk to the mouse.
#include "cli.h"

namespace px::cli {

int CmdStatus(Context& ctx) { return UsageError(ctx, "status: not built yet"); }
int CmdRead(Context& ctx) { return UsageError(ctx, "read: not built yet"); }
int CmdWrite(Context& ctx) { return UsageError(ctx, "write: not built yet"); }
int CmdApply(Context& ctx) { return UsageError(ctx, "apply: not built yet"); }

}  // namespace px::cli
