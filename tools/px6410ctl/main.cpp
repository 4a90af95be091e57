#include <array>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string_view>

#include "cli.h"
#include "common/native_path.h"
#include "common/text.h"
#include "px_version.h"

namespace px::cli {

namespace {

struct Command {
  std::string_view name;
  int (*run)(Context&);
  std::string_view synopsis;
};

constexpr std::array kCommands{
    Command{"show", CmdShow, "show [CONFIG.BIN] [--variant N] [--lang CHS|CHT|EN]"},
    Command{"compose", CmdCompose, "compose CONFIG.BIN IMAGE_IN IMAGE_OUT"},
    Command{"status", CmdStatus, "status"},
    Command{"read", CmdRead, "read OUT"},
    Command{"write", CmdWrite, "write IMAGE"},
    Command{"apply", CmdApply, "apply [CONFIG.BIN]"},
    Command{"set", CmdSet, "set [CONFIG.BIN] NAME=VALUE... [--from FILE.json] [--variant N] [--apply]"},
    Command{"get", CmdGet, "get [CONFIG.BIN] [NAME...] [--variant N]"},
    Command{"autostart", CmdAutostart, "autostart on|off|status"},
    Command{"completion", CmdCompletion, "completion bash"},
};

// The first line names the tool as its manual page does.
void PrintUsage(std::ostream& os) {
  os << "px6410ctl - the PX6410 mouse and its settings files from the command line\n"
     << "usage: px6410ctl [--sim STATE.BIN] [--trace TRACE.LOG] COMMAND ...\n";
  for (const auto& c : kCommands) os << "  px6410ctl " << c.synopsis << '\n';
  os << "  px6410ctl help COMMAND    (or COMMAND --help): the manual of a command\n"
     << "  px6410ctl --version\n"
     << "\nOPTIONS\n"
     << "  --sim STATE.BIN    a simulated mouse whose 322-byte memory is STATE.BIN (no file, no mouse)\n"
     << "  --trace TRACE.LOG  append one line per report and pause as it crossed the wire\n";
}

// "help COMMAND", or "--help" / "-h" anywhere among a command's arguments.
int PrintHelp(Context& ctx, const std::string& command) {
  const auto page = CommandHelp(command);
  if (!page) return UsageError(ctx, "no manual for '" + command + "' (try --help)");
  ctx.out << *page << std::flush;
  return kExitOk;
}

}  // namespace

int Run(std::vector<std::string> argv, std::ostream& out, std::ostream& err) {
  Context ctx{.simFile = {}, .traceFile = {}, .program = argv.empty() ? "px6410ctl" : argv[0], .args = {}, .out = out, .err = err};
  std::size_t i = 1;
  for (; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a == "--sim" || a == "--trace") {
      if (i + 1 >= argv.size()) return UsageError(ctx, a + " needs a file name");
      (a == "--sim" ? ctx.simFile : ctx.traceFile) = argv[++i];
    } else if (a == "--help" || a == "-h") {
      PrintUsage(out);
      return kExitOk;
    } else if (a == "--version") {
      out << "px6410ctl " << PX_VERSION_TEXT << '\n';
      return kExitOk;
    } else {
      break;
    }
  }
  if (i >= argv.size()) {
    PrintUsage(err);
    return kExitUsage;
  }
  const std::string name = argv[i];
  ctx.args.assign(argv.begin() + static_cast<std::ptrdiff_t>(i) + 1, argv.end());
  if (name == "help") {
    if (ctx.args.size() != 1) return UsageError(ctx, "usage: help COMMAND");
    return PrintHelp(ctx, ctx.args[0]);
  }
  for (const auto& a : ctx.args) {
    if (a == "--help" || a == "-h") return PrintHelp(ctx, name);
  }
  for (const auto& c : kCommands) {
    if (c.name != name) continue;
    // Nothing that fails inside a command ends the tool without a word.
    try {
      return c.run(ctx);
    } catch (const std::filesystem::filesystem_error& e) {
      const std::string file = e.path1().empty() ? std::string("a file") : PathForDisplay(e.path1());
      return UsageError(ctx, file + ": " + e.code().message());
    } catch (const std::bad_alloc&) {
      return UsageError(ctx, name + ": out of memory");
    } catch (const std::exception& e) {
      return UsageError(ctx, name + ": " + e.what());
    }
  }
  return UsageError(ctx, "unknown command '" + name + "' (try --help)");
}

}  // namespace px::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    args.push_back(px::ArgumentFromWide(reinterpret_cast<const char16_t*>(argv[i])));
  }
  return px::cli::Run(std::move(args), std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  return px::cli::Run(std::vector<std::string>(argv, argv + argc), std::cout, std::cerr);
}
#endif
