// status, read, write, apply: commands that talk to the mouse, real or
// simulated (--sim), optionally recording every transfer (--trace).
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "model/interface_texts.h"
#include "cli.h"
#include "installed.h"
#include "cli_files.h"
#include "common/native_path.h"
#include "common/ports.h"
#include "model/composition.h"
#include "device/discovery.h"
#include "model/dpi_table.h"
#include "device/simulated_mouse.h"
#include "device/transactions.h"
#include "device/wire_trace.h"

namespace px::cli {

namespace {

// A message box of the utility becomes "<caption>: <text>" on stderr.
class StderrBoxes final : public MessageBoxPort {
 public:
  explicit StderrBoxes(std::ostream& err) : err_(err) {}
  void ShowMessage(TextView text, TextView caption) override {
    err_ << ToUtf8(caption) << ": " << ToUtf8(text) << '\n';
#ifndef _WIN32
    if (text == CreateFileErrorText(EACCES)) {
      err_ << "px6410ctl: no access to the mouse's hidraw node; install dist/linux/70-px6410.rules (see README)\n";
    }
#endif
  }

 private:
  std::ostream& err_;
};

// The balloon that the utility shows when discovery finds no mouse.
constexpr TextView kWarningTitle = u"Warning";

struct DeviceArgs {
  std::optional<Language> language;  // --lang; else the installed str.ini's "Lan"
  std::vector<std::string> positional;
  // The language of the texts: --lang, or that of the str.ini beside `configPath`.
  Language LanguageFor(const std::string& configPath) const { return language ? *language : LanguageBeside(configPath); }
  // --lang, or that of the default settings.
  Language DefaultLanguageUnlessGiven() const { return language ? *language : DefaultLanguage(); }
};

// Splits off "--lang CHS|CHT|EN"; answers an error message or nothing.
std::optional<std::string> ParseDeviceArgs(const std::vector<std::string>& args, DeviceArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang") {
      if (i + 1 >= args.size()) return "--lang needs CHS, CHT or EN";
      const std::string& code = args[++i];
      if (code != "CHS" && code != "CHT" && code != "EN") return "--lang: '" + code + "' is not CHS, CHT or EN";
      out.language = LanguageFromCode(FromUtf8(code));
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return "unknown option '" + args[i] + "'";
    } else {
      out.positional.push_back(args[i]);
    }
  }
  return std::nullopt;
}

// The mouse as one command sees it: the bus, what discovery opened, the
// transactions, and the trace around them.
class MouseSession {
 public:
  MouseSession(Context& ctx, Language language)
      : ctx_(ctx),
        boxes_(ctx.err),
        waits_(sleeper_, [this](const std::string& line) { Trace(line); }),
        notDetected_(TextsFor(language).MouseNotDetected),
        operations_(link_, boxes_, waits_, notDetected_) {}

  // Opens the trace and the bus; a usage / file error answers its exit code.
  std::optional<int> Prepare() {
    if (ctx_.traceFile) {
      errno = 0;
      trace_.open(PathFromArgument(*ctx_.traceFile), std::ios::binary | std::ios::app);  // same bytes on every platform
      if (!trace_) return UsageError(ctx_, *ctx_.traceFile + ": cannot open the trace file: " + ErrnoText());
    }
    if (ctx_.makeBus) {
      bus_ = ctx_.makeBus();
    } else if (ctx_.simFile) {
      auto mouse = std::make_shared<SimulatedMouse>(SystemFileSystem(), PathFromArgument(*ctx_.simFile));
      // A missing state file is a mouse not plugged in; a damaged one is an error.
      if (mouse->Load() == SimulatedMouse::StateFile::Damaged) return UsageError(ctx_, mouse->Error());
      auto devices = ForeignInterfaces();
      for (auto& d : MouseInterfaces()) devices.push_back(std::move(d));
      bus_ = std::make_unique<SimulatedHidBus>(std::move(mouse), std::move(devices));
    } else {
      bus_ = MakeSystemHidBus();
    }
    return std::nullopt;
  }

  // Prepare, then Connect: the exit code that ends the command when either fails.
  std::optional<int> Open() {
    if (auto code = Prepare()) return code;
    if (!Connect()) return Conclude(kExitDevice);
    return std::nullopt;
  }

  // Discovery; on success scrambling is on and the collections are traced.
  bool Connect() {
    if (!Discover(*bus_, link_, boxes_)) {
      ctx_.err << ToUtf8(kWarningTitle) << ": " << ToUtf8(notDetected_) << '\n';
      return false;
    }
    link_.ScramblingOn = true;
    if (trace_.is_open()) {
      auto sink = [this](const std::string& line) { Trace(line); };
      link_.ControlHandle = std::make_unique<TracingCollection>(std::move(link_.ControlHandle), "control", sink);
      link_.DataHandle = std::make_unique<TracingCollection>(std::move(link_.DataHandle), "data", sink);
    }
    return true;
  }

  FeatureReportTransactions& Operations() { return operations_; }

  // Block transfers that did not go through make the result untrustworthy.
  bool BlocksWentThrough(const std::string& what) {
    if (operations_.FailedBlockTransfers() == 0) return true;
    ctx_.err << "px6410ctl: " << what << ": " << operations_.FailedBlockTransfers() << " of " << kConfigBlockCount
             << " block transfers failed\n";
    return false;
  }

  // After the utility's box for a failed status check: what that means here;
  // answers the exit code.
  int StatusCheckFailed(const std::string& command, const std::string& consequence) {
    ctx_.err << "px6410ctl: " << command << ": the mouse did not answer the status check as expected; "
             << consequence << '\n';
    return Conclude(kExitDevice);
  }

  // A write whose blocks did not all arrive has still changed the mouse.
  bool WriteWentThrough(const std::string& command) {
    const unsigned failed = operations_.FailedBlockTransfers();
    mouseDid_ = failed == 0 ? "the mouse was written" : "the mouse was written in part";
    if (failed == 0) return true;
    ctx_.err << "px6410ctl: " << command << ": the report rate and DPI stage were changed, but " << failed << " of "
             << kConfigBlockCount << " configuration blocks did not reach the mouse (unplugged?): it now holds "
             << "part old, part new settings; write them again once it is back\n";
    return false;
  }
  void MouseRead() { mouseDid_ = "the mouse was read, nothing on it changed"; }

  // The command's exit code, unless the trace could not be written: a trace
  // with lines missing is an error (2) of its own, saying what the mouse
  // side has done all the same.
  int Conclude(int code) {
    if (trace_.is_open()) {
      trace_.close();
      if (!trace_ && traceError_.empty()) traceError_ = ErrnoText();
    }
    if (traceError_.empty()) return code;
    ctx_.err << "px6410ctl: " << *ctx_.traceFile << ": cannot write the trace: " << traceError_ << "; " << mouseDid_
             << '\n';
    return kExitUsage;
  }

 private:
  static std::string ErrnoText() { return std::strerror(errno != 0 ? errno : EIO); }

  void Trace(const std::string& line) {
    if (!trace_.is_open() || !traceError_.empty()) return;
    errno = 0;
    trace_ << line << '\n' << std::flush;
    if (!trace_) traceError_ = ErrnoText();
  }

  Context& ctx_;
  std::ofstream trace_;
  std::string traceError_;
  std::string mouseDid_ = "nothing reached the mouse";
  StderrBoxes boxes_;
  SleepingWait sleeper_;
  TracingWait waits_;
  TextView notDetected_;
  std::unique_ptr<HidBus> bus_;
  DeviceLink link_;
  FeatureReportTransactions operations_;
};

const char* ReportRateText(std::uint8_t code) {
  switch (code) {
    case 1: return "1000 Hz";
    case 2: return "500 Hz";
    case 4: return "250 Hz";
    case 8: return "125 Hz";
    default: return nullptr;
  }
}

}  // namespace

int CmdStatus(Context& ctx) {
  DeviceArgs args;
  if (auto e = ParseDeviceArgs(ctx.args, args)) return UsageError(ctx, "status: " + *e);
  if (!args.positional.empty()) return UsageError(ctx, "status takes no file");
  MouseSession mouse(ctx, args.DefaultLanguageUnlessGiven());
  if (auto code = mouse.Open()) return *code;
  DeviceImage image;
  mouse.MouseRead();
  if (!mouse.Operations().GetDPIStage(image)) {
    return mouse.StatusCheckFailed("status", "its report rate and DPI stage are unknown");
  }
  const char* rate = ReportRateText(image.USBReportRate);
  ctx.out << "report rate: " << (rate ? rate : "unknown") << " (code " << int{image.USBReportRate} << ")\n"
          << "DPI stage: " << int{image.SensorDPIStage} << '\n';
  return mouse.Conclude(kExitOk);
}

int CmdRead(Context& ctx) {
  DeviceArgs args;
  if (auto e = ParseDeviceArgs(ctx.args, args)) return UsageError(ctx, "read: " + *e);
  if (args.positional.size() != 1) return UsageError(ctx, "usage: read OUT");
  const std::string& out = args.positional[0];
  MouseSession mouse(ctx, args.DefaultLanguageUnlessGiven());
  if (auto code = mouse.Open()) return *code;
  DeviceImage image;  // zero-filled before the read
  mouse.MouseRead();
  if (!mouse.Operations().ReadOperation(image)) {
    return mouse.StatusCheckFailed("read", "nothing was read and " + out + " was not written");
  }
  if (!mouse.BlocksWentThrough("read: " + out + " not written")) return mouse.Conclude(kExitDevice);
  std::string error;
  if (!WriteImageFile(out, image, error)) {
    return mouse.Conclude(UsageError(ctx, error + " (the mouse was read, nothing on it changed)"));
  }
  return mouse.Conclude(kExitOk);
}

int CmdWrite(Context& ctx) {
  DeviceArgs args;
  if (auto e = ParseDeviceArgs(ctx.args, args)) return UsageError(ctx, "write: " + *e);
  if (args.positional.size() != 1) return UsageError(ctx, "usage: write IMAGE");
  std::string error;
  const std::optional<DeviceImage> image = ReadImageFile(args.positional[0], error);
  if (!image) return UsageError(ctx, error);
  MouseSession mouse(ctx, args.DefaultLanguageUnlessGiven());
  if (auto code = mouse.Open()) return *code;
  if (!mouse.Operations().WriteOperation(*image)) {
    return mouse.StatusCheckFailed("write", "nothing was written to the mouse");
  }
  if (!mouse.WriteWentThrough("write")) return mouse.Conclude(kExitDevice);
  return mouse.Conclude(kExitOk);
}

// What the utility does at start and on Apply, touching no file but the
// mouse. It stops at the first failed check, so that an image that was not
// read completely is never written back.
int CmdApply(Context& ctx) {
  DeviceArgs args;
  if (auto e = ParseDeviceArgs(ctx.args, args)) return UsageError(ctx, "apply: " + *e);
  if (args.positional.size() > 1) return UsageError(ctx, "usage: apply [CONFIG.BIN]");
  const auto chosen = ConfigPathOr(ctx, args.positional.empty() ? std::nullopt : std::optional(args.positional[0]));
  if (!chosen) return kExitUsage;
  const std::string& configPath = *chosen;
  std::string error;
  const std::optional<ConfigFile> config = ReadConfigFile(configPath, error);
  if (!config) return UsageError(ctx, error);

  MouseSession mouse(ctx, args.LanguageFor(configPath));
  if (auto code = mouse.Open()) return *code;
  DeviceImage image;
  mouse.MouseRead();
  if (!mouse.Operations().ReadOperation(image)) {
    return mouse.StatusCheckFailed("apply", "nothing was written to the mouse");
  }
  if (!mouse.BlocksWentThrough("apply: nothing written")) return mouse.Conclude(kExitDevice);
  const std::uint8_t dpiTableVariant = DpiTableVariantOf(image);

  WriteFixedTables(image);
  if (!mouse.Operations().GetDPIStage(image)) {
    return mouse.StatusCheckFailed("apply", "nothing was written to the mouse");
  }
  ComposeFromModel(image, config->model, dpiTableVariant);
  if (!mouse.Operations().WriteOperation(image)) {
    return mouse.StatusCheckFailed("apply", "nothing was written to the mouse");
  }
  if (!mouse.WriteWentThrough("apply")) return mouse.Conclude(kExitDevice);
  return mouse.Conclude(kExitOk);
}

}  // namespace px::cli

namespace px::cli {

std::optional<std::uint8_t> MouseDpiTableVariant(Context& ctx) {
  std::ostringstream quiet;  // no mouse is an answer here, not an error
  Context probe{.simFile = ctx.simFile, .traceFile = ctx.traceFile, .program = ctx.program, .args = {},
                .out = quiet, .err = quiet};
  MouseSession mouse(probe, Language::English);
  if (mouse.Prepare() || !mouse.Connect()) return std::nullopt;
  DeviceImage image;
  if (!mouse.Operations().ReadOperation(image) || !mouse.BlocksWentThrough("")) return std::nullopt;
  return DpiTableVariantOf(image);
}

}  // namespace px::cli
