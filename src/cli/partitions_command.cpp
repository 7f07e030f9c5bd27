#include <ostream>

#include "commands.hpp"
#include "partition_output.hpp"
#include "source_arg.hpp"
#include "storage/partition_listing.hpp"

namespace quendrix::cli {

void addPartitionsCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("partitions", "List the partitions of a disk or disk image");
  auto source = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  cmd->add_option("SOURCE", *source, "Image file, block device or disk:N")->required();
  cmd->add_flag("--json", *json, "Print every field as JSON");
  cmd->callback([&ctx, source, json] {
    auto resolved = resolveSource(ctx, *source);
    if (!resolved) return;
    const storage::DiskSource disk = diskSourceFor(*source, *resolved);
    const std::string volume = volumeFileSystemAt(ctx.opener, disk.devicePath);
    storage::PartitionListing listing;
    if (volume.empty()) listing = storage::listPartitions(ctx.opener, disk, reporterOf(ctx));
    const auto& parts = listing.table.entries();
    if (*json) {
      JsonText out;
      out.beginObject().key("disk");
      writeDiskJson(out, disk);
      out.key("volume");
      if (volume.empty()) {
        out.null();
      } else {
        out.value(volume);
      }
      out.key("partitions").beginArray();
      for (const auto& p : parts) writePartitionJson(out, p);
      out.endArray().key("firstPartition");
      if (const auto* first = listing.table.firstPartition()) {
        out.value(first->number);
      } else {
        out.null();
      }
      out.field("faulted", listing.faulted).endObject();
      *ctx.out << out.text() << '\n';
    } else if (!volume.empty()) {
      *ctx.out << disk.devicePath << " holds a " << volume
               << " volume, not a partition table (find-partitions searches it)\n";
    } else if (parts.empty()) {
      *ctx.out << "No partitions listed on " << disk.devicePath << '\n';
    } else {
      printPartitionTable(*ctx.out, parts);
    }
    ctx.exitCode = listing.faulted ? kExitFailure : kExitOk;
  });
}

}  // namespace quendrix::cli
