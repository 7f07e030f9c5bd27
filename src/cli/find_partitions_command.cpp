#include <ostream>

#include "commands.hpp"
#include "deepsearch/disk_partition_search.hpp"
#include "deepsearch/logical_drive_search.hpp"
#include "deepsearch/partition_search_messages.hpp"
#include "partition_output.hpp"
#include "progress_display.hpp"
#include "source_arg.hpp"
#include "storage/partition_listing.hpp"

namespace quendrix::cli {
namespace {

// Puts the source's name before the search's " / N reading" line.
class NamedProgress final : public ProgressSink {
 public:
  NamedProgress(ProgressSink& inner, std::string name) : inner_(inner), name_(std::move(name)) {}
  void progress(std::uint64_t done, std::uint64_t total, std::uint64_t found) override {
    inner_.progress(done, total, found);
  }
  void status(std::string_view text) override {
    inner_.status("Searching " + name_ + std::string(text));
  }

 private:
  ProgressSink& inner_;
  std::string name_;
};

struct Options {
  std::string source;
  std::string mode = "standard";
  bool json = false;
  bool volume = false;
  bool disk = false;
};

void writeRowJson(JsonText& json, const deepsearch::FoundPartitionRow& row) {
  json.beginObject()
      .field("driveKey", row.driveKey)
      .field("name", row.name)
      .field("type", row.typeName)
      .field("start", row.start)
      .field("end", row.end)
      .field("size", row.sizeText)
      .field("item", row.itemLabel)
      .key("columns")
      .beginArray();
  for (const auto& c : row.columns()) json.value(c);
  json.endArray().endObject();
}

int finish(CliContext& ctx, bool opened, bool stopped, bool faulted, const std::string& path) {
  if (!opened) return fail(ctx, kExitFailure, "cannot open " + path + " for reading");
  if (stopped) return kExitInterrupted;
  return faulted ? kExitFailure : kExitOk;
}

int searchDisk(CliContext& ctx, const Options& o, const ResolvedSource& resolved) {
  const storage::DiskSource disk = diskSourceFor(o.source, resolved);
  if (disk.totalSectors == 0) {
    return fail(ctx, kExitFailure, deepsearch::noDiskStorageMessage(disk.diskNumber));
  }
  auto listing = storage::listPartitions(ctx.opener, disk, reporterOf(ctx));
  const auto mode = o.mode == "advanced" ? deepsearch::PartitionSearchMode::Advanced
                                         : deepsearch::PartitionSearchMode::Standard;
  const std::uint64_t unit =
      mode == deepsearch::PartitionSearchMode::Advanced ? storage::kSectorSize : 512u * 16065u;
  ProgressDisplay display(*ctx.err, ProgressDisplay::styleFor(ctx.quiet), unit, "partitions");
  NamedProgress progress(display, disk.devicePath);
  const deepsearch::PartitionSearchContext context{ctx.opener, progress, ctx.stop.get_token(),
                                                   reporterOf(ctx)};
  auto outcome = deepsearch::searchDiskPartitions(context, disk, mode, listing.table);
  display.finish();
  if (o.json) {
    JsonText out;
    out.beginObject().field("kind", "Disk").key("disk");
    writeDiskJson(out, disk);
    out.field("mode", o.mode)
        .field("modeNumber", static_cast<std::uint32_t>(mode))
        .field("message", outcome.message)
        .field("found", outcome.found)
        .field("stopped", outcome.stopped)
        .field("faulted", outcome.faulted || listing.faulted)
        .key("added")
        .beginArray();
    for (const auto& p : outcome.added) writePartitionJson(out, p);
    out.endArray().key("partitions").beginArray();
    for (const auto& p : listing.table.entries()) writePartitionJson(out, p);
    out.endArray().endObject();
    *ctx.out << out.text() << '\n';
  } else {
    *ctx.out << outcome.message << '\n';
    if (!outcome.added.empty()) printPartitionTable(*ctx.out, outcome.added);
  }
  return finish(ctx, outcome.opened, outcome.stopped, outcome.faulted, disk.devicePath);
}

int searchVolume(CliContext& ctx, const Options& o, const ResolvedSource& resolved) {
  const deepsearch::DriveSource drive{resolved.path, o.source, resolved.totalSectors};
  if (drive.totalSectors == 0) {
    return fail(ctx, kExitFailure, deepsearch::noDriveStorageMessage(drive.driveName));
  }
  ProgressDisplay display(*ctx.err, ProgressDisplay::styleFor(ctx.quiet), storage::kSectorSize,
                          "partitions");
  NamedProgress progress(display, drive.devicePath);
  const deepsearch::PartitionSearchContext context{ctx.opener, progress, ctx.stop.get_token(),
                                                   reporterOf(ctx)};
  deepsearch::FoundPartitionList list;
  auto outcome = deepsearch::searchLogicalDrive(context, drive, list);
  display.finish();
  if (o.json) {
    JsonText out;
    out.beginObject()
        .field("kind", "Drive")
        .field("drive", drive.driveName)
        .field("path", drive.devicePath)
        .field("totalSectors", drive.totalSectors)
        .field("message", outcome.message)
        .field("found", outcome.found)
        .field("stopped", outcome.stopped)
        .field("faulted", outcome.faulted)
        .key("selectedItem");
    if (outcome.lastItemLabel) {
      out.value(*outcome.lastItemLabel);
    } else {
      out.null();
    }
    out.key("rows").beginArray();
    for (const auto& row : outcome.added) writeRowJson(out, row);
    out.endArray().endObject();
    *ctx.out << out.text() << '\n';
  } else {
    *ctx.out << outcome.message << '\n';
    for (const auto& row : outcome.added) {
      *ctx.out << row.itemLabel << "  start " << row.start << "  end " << row.end << '\n';
    }
  }
  return finish(ctx, outcome.opened, outcome.stopped, outcome.faulted, drive.devicePath);
}

}  // namespace

void addFindPartitionsCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand(
      "find-partitions",
      "Search a disk for partitions its table does not list, or a volume for the boot sectors "
      "of earlier file systems");
  auto o = std::make_shared<Options>();
  cmd->add_option("SOURCE", o->source, "Image file, block device or disk:N")->required();
  cmd->add_option("--mode", o->mode, "Disk search: standard (cylinder starts) or advanced")
      ->check(CLI::IsMember({"standard", "advanced"}));
  cmd->add_flag("--json", o->json, "Print every field as JSON");
  auto* volume = cmd->add_flag("--volume", o->volume,
                               "Search SOURCE as a volume (the default when its first sector is "
                               "a FAT, NTFS or exFAT boot sector)");
  cmd->add_flag("--disk", o->disk, "Search SOURCE as a disk whatever its first sector holds")
      ->excludes(volume);
  cmd->callback([&ctx, o] {
    auto resolved = resolveSource(ctx, o->source);
    if (!resolved) return;
    const bool asVolume =
        o->volume || (!o->disk && !volumeFileSystemAt(ctx.opener, resolved->path).empty());
    ctx.exitCode = asVolume ? searchVolume(ctx, *o, *resolved) : searchDisk(ctx, *o, *resolved);
  });
}

}  // namespace quendrix::cli
