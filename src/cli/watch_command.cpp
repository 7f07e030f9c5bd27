#include <memory>
#include <ostream>

#include "commands.hpp"
#include "drive_tree_output.hpp"
#include "drive_tree_partitions.hpp"
#include "linux_disk_provider.hpp"
#include "linux_volume_provider.hpp"
#include "netlink_device_monitor.hpp"
#include "storage/drive_reload.hpp"

namespace quendrix::cli {

// Prints block-device arrivals and removals until Ctrl-C, then exits with 130 like every
// interrupted command. With --reload, every arrival reloads the drive list after the settling
// wait and prints the tree, or says that no drive is there.
void addWatchCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("watch", "Print disk and partition arrivals and removals");
  auto reload = std::make_shared<bool>(false);
  cmd->add_flag("--reload", *reload, "Reload and print the drive tree after each arrival");
  cmd->callback([&ctx, reload] {
    platform::NetlinkDeviceMonitor monitor;
    if (const std::string failure = monitor.start(); !failure.empty()) {
      fail(ctx, kExitFailure, "Can't register device notification: " + failure);
      return;
    }
    const std::stop_token stop = ctx.stop.get_token();
    auto print = [&ctx](const char* what, const storage::DeviceEvent& e) {
      *ctx.out << what << ' ' << e.devicePath;
      if (!e.deviceType.empty()) *ctx.out << " (" << e.deviceType << ')';
      *ctx.out << std::endl;
    };
    auto reloadAndPrint = [&ctx, stop] {
      platform::LinuxDiskProvider disks;
      platform::LinuxVolumeProvider volumes(platform::SystemRoots{}, disks.table(), ctx.opener);
      const auto partitions = makePartitionLister(ctx);
      storage::DriveList list(disks, volumes, *partitions);
      list.setReporter(&reporterOf(ctx));
      list.setShowLogicalDrives(true);
      storage::DriveReloader reloader(list, storage::stoppableSleeper(stop));
      const bool found = reloader.reload();
      if (stop.stop_requested()) return;
      if (found) {
        printDriveTree(*ctx.out, list.root());
      } else {
        *ctx.out << "no drives" << std::endl;
      }
    };
    if (!ctx.quiet) *ctx.err << "Watching for devices; press Ctrl-C to stop." << std::endl;
    monitor.run({[&](const storage::DeviceEvent& e) {
                   print("arrival", e);
                   if (*reload) reloadAndPrint();
                 },
                 [&](const storage::DeviceEvent& e) { print("removal", e); }},
                stop);
    ctx.exitCode = kExitInterrupted;
  });
}

}  // namespace quendrix::cli
