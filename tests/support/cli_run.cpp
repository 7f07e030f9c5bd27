#include "support/cli_run.hpp"

#include <sstream>
#include <thread>

#include "commands.hpp"

namespace quendrix::test {

CliRun runQuendrix(std::vector<std::string> args, const CliRunOptions& options) {
  std::ostringstream out, err;
  cli::CliContext ctx;
  ctx.exeFolder = options.exeFolder;
  ctx.out = &out;
  ctx.err = &err;
  ctx.quiet = options.quiet;
  if (options.stopBeforeStart) ctx.stop.request_stop();
  args.insert(args.begin(), "quendrix");
  std::vector<const char*> argv;
  for (auto& a : args) argv.push_back(a.c_str());
  std::jthread stopper;
  if (options.stopAfter) {
    stopper = std::jthread([&ctx, delay = *options.stopAfter] {
      std::this_thread::sleep_for(delay);
      ctx.stop.request_stop();
    });
  }
  const int code = cli::runCli(static_cast<int>(argv.size()), argv.data(), ctx);
  return {code, out.str(), err.str()};
}

}  // namespace quendrix::test
