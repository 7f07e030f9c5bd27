#include <ostream>

#include "commands.hpp"
#include "netlink_device_monitor.hpp"

namespace quendrix::cli {

// Prints block-device arrivals and removals until Ctrl-C, then exits with 130 like every
// interrupted command.
void addWatchCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("watch", "Print disk and partition arrivals and removals");
  cmd->callback([&ctx] {
    platform::NetlinkDeviceMonitor monitor;
    if (const std::string failure = monitor.start(); !failure.empty()) {
      fail(ctx, kExitFailure, "Can't register device notification: " + failure);
      return;
    }
    auto print = [&ctx](const char* what) {
      return [&ctx, what](const storage::DeviceEvent& e) {
        *ctx.out << what << ' ' << e.devicePath;
        if (!e.deviceType.empty()) *ctx.out << " (" << e.deviceType << ')';
        *ctx.out << std::endl;
      };
    };
    if (!ctx.quiet) *ctx.err << "Watching for devices; press Ctrl-C to stop." << std::endl;
    monitor.run({print("arrival"), print("removal")}, ctx.stop.get_token());
    ctx.exitCode = kExitInterrupted;
  });
}

}  // namespace quendrix::cli
