#pragma once
// px6410ctl: the settings and the mouse from the command line.
// Exit codes: 0 success, 1 the mouse failed (not found, bad status reply),
// 2 bad arguments, an unreadable / wrong-size file, or an output or trace
// that could not be written. Nothing is written on failure.
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace px {
class HidBus;
}

namespace px::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitDevice = 1;
inline constexpr int kExitUsage = 2;

struct Context {
  std::optional<std::string> simFile;    // --sim FILE: the simulated mouse's state file
  std::optional<std::string> traceFile;  // --trace FILE: one line per transfer and pause
  // Arguments as the system gave them: bytes on Linux, UTF-8 on Windows (see
  // common/native_path.h); file names among them reach the files unchanged.
  std::string program;                   // argv[0]
  std::vector<std::string> args;         // the command's own arguments
  std::ostream& out;
  std::ostream& err;
  // The bus the device commands use instead of the system's or --sim's one
  // (tests: a mouse that misbehaves on request).
  std::function<std::unique_ptr<HidBus>()> makeBus = {};
};

// One line on stderr, "px6410ctl: <what>", and the usage exit code.
int UsageError(Context& ctx, const std::string& message);

int CmdCompose(Context& ctx);
int CmdShow(Context& ctx);
int CmdStatus(Context& ctx);
int CmdRead(Context& ctx);
int CmdWrite(Context& ctx);
int CmdApply(Context& ctx);
int CmdSet(Context& ctx);
int CmdGet(Context& ctx);
int CmdShowJson(Context& ctx);
int CmdCompletion(Context& ctx);
int CmdAutostart(Context& ctx);

// The sensor's DPI table variant read from the mouse (--sim or the system's),
// quietly: nothing when no mouse answers.
std::optional<std::uint8_t> MouseDpiTableVariant(Context& ctx);

// The manual page of a command, or nothing for an unknown one.
std::optional<std::string> CommandHelp(std::string_view command);

int Run(std::vector<std::string> argv, std::ostream& out, std::ostream& err);

}  // namespace px::cli
