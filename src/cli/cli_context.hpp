#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "diagnostics/error_guard.hpp"
#include "exit_codes.hpp"
#include "posix_raw_device.hpp"

namespace quendrix::cli {

// What every subcommand shares: the device opener, where the executable and its signature
// files are, the error reporter, the output streams and the stop request of Ctrl-C.
struct CliContext {
  platform::PosixDeviceOpener opener;
  std::filesystem::path exeFolder;
  std::unique_ptr<diagnostics::ErrorReporter> reporter;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
  bool quiet = false;
  std::stop_source stop;
  int exitCode = kExitOk;
};

// The context's error reporter. runCli installs one that prints to ctx.err when the caller
// gave none, so every command may report through it.
diagnostics::ErrorReporter& reporterOf(CliContext& ctx);

// Prints a message to stderr and returns the code, for "return fail(ctx, 1, "...")".
int fail(CliContext& ctx, int code, const std::string& message);

}  // namespace quendrix::cli
