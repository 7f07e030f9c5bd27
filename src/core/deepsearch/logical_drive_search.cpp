#include "deepsearch/logical_drive_search.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "deepsearch/boot_sector_candidate.hpp"
#include "deepsearch/partition_search_messages.hpp"
#include "storage/scan_block.hpp"
#include "storage/scan_reader.hpp"

namespace quendrix::deepsearch {
namespace {

using storage::SectorNumber;

constexpr std::uint32_t kBlockSectors = 1024;

class DriveSearch {
 public:
  DriveSearch(const PartitionSearchContext& context, const DriveSource& drive,
              FoundPartitionList& list,
              const std::function<void(const FoundPartitionRow&)>& onAdded, DriveSearchOutcome& out)
      : context_(context),
        drive_(drive),
        list_(list),
        onAdded_(onAdded),
        out_(out),
        key_(driveKey(drive.driveName)) {}

  void run() {
    reader_ = storage::ScanReader::open(context_.opener, drive_.devicePath);
    if (!reader_) return;
    out_.opened = true;
    learnKnown();
    const std::uint64_t total = drive_.totalSectors;
    context_.progress.status(" / " + std::to_string(total) + " reading");
    storage::ScanBlock block(std::size_t{kBlockSectors} * storage::kSectorSize);
    for (SectorNumber first = 0; first < total; first += kBlockSectors) {
      if (context_.stop.stop_requested()) {
        out_.stopped = true;
        return;
      }
      const auto count =
          static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSectors, total - first));
      auto data = block.bytes().first(count * storage::kSectorSize);
      if (reader_->read(first, data)) {
        for (std::size_t i = 0; i < count; ++i) {
          auto sector = data.subspan(i * storage::kSectorSize, storage::kSectorSize);
          if (storage::hasBootSignature(sector)) consider(sector, first + i);
        }
      }
      context_.progress.progress(first + count, total, out_.found);
    }
  }

 private:
  // The drive's own file system, and what earlier searches of this drive found, each with
  // its boot sector.
  void learnKnown() {
    std::array<std::byte, storage::kSectorSize> boot{};
    if (reader_->read(0, boot) && storage::hasBootSignature(boot)) {
      if (auto own = examineDriveSector(boot, 0, drive_.totalSectors)) known_.add(*own, boot);
    }
    for (const auto& row : list_.rows()) {
      if (row.driveKey != key_) continue;
      auto kind = storage::kindFromTypeName(row.typeName);
      if (!kind) continue;
      boot.fill(std::byte{0});
      if (!reader_->read(row.start, boot)) boot.fill(std::byte{0});
      known_.add({*kind, row.start, row.end}, boot);
    }
  }

  void consider(std::span<const std::byte> sector, SectorNumber at) {
    const auto candidate = examineDriveSector(sector, at, drive_.totalSectors);
    if (!candidate) return;
    const auto type = storage::typeName(candidate->kind);
    if (list_.contains(key_, candidate->start, candidate->end, type) ||
        known_.covers(*candidate, sector)) {
      return;
    }
    FoundPartitionRow row =
        makeFoundPartitionRow(drive_.driveName, list_.countFor(key_) + 1, *candidate, sector);
    known_.add(*candidate, sector);
    list_.append(row);
    ++out_.found;
    out_.lastItemLabel = row.itemLabel;
    if (onAdded_) onAdded_(row);
    out_.added.push_back(std::move(row));
  }

  const PartitionSearchContext& context_;
  const DriveSource& drive_;
  FoundPartitionList& list_;
  const std::function<void(const FoundPartitionRow&)>& onAdded_;
  DriveSearchOutcome& out_;
  std::string key_;
  std::unique_ptr<storage::ScanReader> reader_;
  KnownFileSystems known_;
};

}  // namespace

DriveSearchOutcome searchLogicalDrive(
    const PartitionSearchContext& context, const DriveSource& drive, FoundPartitionList& list,
    const std::function<void(const FoundPartitionRow&)>& onAdded) {
  DriveSearchOutcome out;
  const diagnostics::ErrorIdentity id{"8A", "DS",
                                      diagnostics::recoveryModeLabel(context.searchMode),
                                      "Calculate logical drive partition value..."};
  out.faulted = !diagnostics::guardStep(
      context.reporter, id, [&] { DriveSearch(context, drive, list, onAdded, out).run(); });
  out.message = driveSearchResultMessage(out.found, drive.driveName);
  return out;
}

}  // namespace quendrix::deepsearch
