#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "commands.hpp"
#include "drive_tree_output.hpp"
#include "drive_tree_partitions.hpp"
#include "json_text.hpp"
#include "linux_disk_provider.hpp"
#include "linux_volume_provider.hpp"
#include "storage/disk_details.hpp"
#include "storage/drive_list.hpp"

namespace quendrix::cli {
namespace {

void printRows(CliContext& ctx, const storage::InfoRows& rows, bool asJson) {
  if (asJson) {
    JsonText json;
    json.beginObject().key("rows").beginArray();
    for (const auto& row : rows) {
      json.beginObject().field("caption", row.caption).field("value", row.value).endObject();
    }
    json.endArray().endObject();
    *ctx.out << json.text() << '\n';
    return;
  }
  for (const auto& row : rows) *ctx.out << row.caption << ' ' << row.value << '\n';
}

}  // namespace

void addDrivesCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("drives", "List the disks, their partitions and the volumes");
  auto images = std::make_shared<std::vector<std::string>>();
  auto details = std::make_shared<std::uint32_t>(0);
  auto json = std::make_shared<bool>(false);
  cmd->add_option("--image", *images, "Also list this disk-image file (repeatable)");
  auto* detailsOption =
      cmd->add_option("--details", *details, "Print the information rows of disk N");
  cmd->add_flag("--json", *json, "Print every field of the records as JSON");
  cmd->callback([&ctx, images, details, json, detailsOption] {
    for (const auto& image : *images) {
      std::error_code ec;
      if (!std::filesystem::is_regular_file(image, ec)) {
        fail(ctx, kExitFailure, "cannot open image file " + image);
        return;
      }
    }
    platform::LinuxDiskProvider disks(platform::SystemRoots{}, *images);
    platform::LinuxVolumeProvider volumes(platform::SystemRoots{}, disks.table(), ctx.opener);
    const auto partitions = makePartitionLister(ctx);
    storage::DriveList list(disks, volumes, *partitions);
    list.setReporter(&reporterOf(ctx));
    list.setShowLogicalDrives(true);
    list.refresh(storage::RefreshReason::FirstFill);

    if (detailsOption->count() > 0) {
      const storage::DiskRecord* disk = list.disk(*details);
      if (disk == nullptr) {
        fail(ctx, kExitFailure, "no disk number " + std::to_string(*details) + " is listed");
        return;
      }
      printRows(ctx, storage::diskInfoRows(*disk), *json);
      ctx.exitCode = kExitOk;
      return;
    }
    if (*json) {
      JsonText out;
      out.beginObject().field("computerName", list.computerName()).key("tree");
      writeDriveTreeJson(out, list.root());
      out.key("deviceList").beginArray();
      for (const auto& line : list.deviceList()) out.value(line);
      out.endArray().key("volumeList").beginArray();
      for (const auto& line : list.volumeList()) out.value(line);
      out.endArray().endObject();
      *ctx.out << out.text() << '\n';
    } else {
      printDriveTree(*ctx.out, list.root());
    }
    ctx.exitCode = kExitOk;
  });
}

}  // namespace quendrix::cli
