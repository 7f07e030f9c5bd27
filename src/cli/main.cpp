#include <iostream>

#include "commands.hpp"
#include "diagnostics/logging_reporter.hpp"
#include "process_paths.hpp"

int main(int argc, char** argv) {
  using namespace quendrix;
  cli::CliContext ctx;
  ctx.exeFolder = platform::executableFolder();
  ctx.out = &std::cout;
  ctx.err = &std::cerr;
  ctx.reporter = std::make_unique<diagnostics::LoggingReporter>(
      diagnostics::ErrorLog(platform::errorLogPath(ctx.exeFolder)),
      [](const diagnostics::ErrorIdentity& id, const std::string& detail) {
        std::cerr << "quendrix: " << diagnostics::composeErrorMessage(id);
        if (!detail.empty()) std::cerr << ": " << detail;
        std::cerr << '\n';
      });
  return cli::runCli(argc, argv, ctx);
}
