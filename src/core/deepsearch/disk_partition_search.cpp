#include "deepsearch/disk_partition_search.hpp"

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
using Sector = std::array<std::byte, storage::kSectorSize>;

class DiskSearch {
 public:
  DiskSearch(const PartitionSearchContext& context, const storage::DiskSource& disk,
             storage::DiskPartitionTable& table,
             const std::function<void(const storage::PartitionRecord&)>& onAdded,
             DiskSearchOutcome& out)
      : context_(context), disk_(disk), table_(table), onAdded_(onAdded), out_(out) {}

  void run(PartitionSearchMode mode) {
    reader_ = storage::ScanReader::open(context_.opener, disk_.devicePath);
    if (!reader_) return;
    out_.opened = true;
    learnListedPartitions();
    if (mode == PartitionSearchMode::Advanced) {
      everySector();
    } else {
      everyCylinder();
    }
  }

 private:
  // The partitions the table lists already, with their boot sectors, so that neither they
  // nor their backup boot sectors are found again.
  void learnListedPartitions() {
    for (const auto& p : table_.entries()) {
      auto kind = storage::kindFromTypeName(p.typeName);
      if (!kind) continue;
      Sector boot{};
      if (!reader_->read(p.start, boot)) boot.fill(std::byte{0});
      known_.add({*kind, p.start, p.end}, boot);
    }
  }

  void everyCylinder() {
    const CylinderLayout layout = cylinderLayout(disk_.geometry, disk_.totalSectors);
    const std::uint64_t perCylinder = std::uint64_t{layout.heads} * layout.sectorsPerTrack;
    context_.progress.status(" / " + std::to_string(layout.cylinders) + " reading");
    Sector sector{};
    for (std::uint64_t c = 0; c < layout.cylinders; ++c) {
      if (context_.stop.stop_requested()) {
        out_.stopped = true;
        return;
      }
      const SectorNumber head1 = c * perCylinder + layout.sectorsPerTrack;
      const SectorNumber head0 = c * perCylinder;
      std::optional<SectorNumber> at;
      if (readSigned(head1, sector)) {
        at = head1;
      } else if (readSigned(head0, sector)) {
        at = head0;
      }
      if (at) {
        if (table_.full()) return;
        consider(sector, *at);
      }
      context_.progress.progress(c + 1, layout.cylinders, out_.found);
    }
  }

  void everySector() {
    const std::uint64_t total = disk_.totalSectors;
    context_.progress.status(" / " + std::to_string(total) + " reading");
    storage::ScanBlock block(storage::kDefaultBlockBytes);
    for (SectorNumber first = 0; first < total; first += storage::kDefaultBlockSectors) {
      if (context_.stop.stop_requested()) {
        out_.stopped = true;
        return;
      }
      const auto count = static_cast<std::size_t>(
          std::min<std::uint64_t>(storage::kDefaultBlockSectors, total - first));
      auto data = block.bytes().first(count * storage::kSectorSize);
      if (reader_->read(first, data)) {
        for (std::size_t i = 0; i < count; ++i) {
          auto sector = data.subspan(i * storage::kSectorSize, storage::kSectorSize);
          if (!storage::hasBootSignature(sector)) continue;
          if (table_.full()) return;
          consider(sector, first + i);
        }
      }
      context_.progress.progress(first + count, total, out_.found);
    }
  }

  bool readSigned(SectorNumber at, Sector& sector) {
    if (at >= disk_.totalSectors) return false;
    auto got = reader_->read(at, sector);
    return got && *got == sector.size() && storage::hasBootSignature(sector);
  }

  void consider(std::span<const std::byte> sector, SectorNumber at) {
    const auto candidate = examineDiskSector(sector, at);
    if (!candidate || known_.covers(*candidate, sector)) return;
    auto added = table_.add(storage::typeName(candidate->kind), candidate->start, candidate->end,
                            storage::PartitionOrigin::Search);
    if (!added) return;
    known_.add(*candidate, sector);
    ++out_.found;
    out_.added.push_back(*added);
    if (onAdded_) onAdded_(*added);
  }

  const PartitionSearchContext& context_;
  const storage::DiskSource& disk_;
  storage::DiskPartitionTable& table_;
  const std::function<void(const storage::PartitionRecord&)>& onAdded_;
  DiskSearchOutcome& out_;
  std::unique_ptr<storage::ScanReader> reader_;
  KnownFileSystems known_;
};

}  // namespace

CylinderLayout cylinderLayout(const storage::DiskGeometry& geometry, std::uint64_t totalSectors) {
  CylinderLayout layout{geometry.cylinders, geometry.heads, geometry.sectorsPerTrack};
  if (layout.sectorsPerTrack != 63 || layout.heads == 0) {
    layout.heads = 255;
    layout.sectorsPerTrack = 63;
  }
  const std::uint64_t perCylinder = std::uint64_t{layout.heads} * layout.sectorsPerTrack;
  layout.cylinders = (totalSectors + perCylinder - 1) / perCylinder;
  return layout;
}

DiskSearchOutcome searchDiskPartitions(
    const PartitionSearchContext& context, const storage::DiskSource& disk,
    PartitionSearchMode mode, storage::DiskPartitionTable& table,
    const std::function<void(const storage::PartitionRecord&)>& onAdded) {
  DiskSearchOutcome out;
  const diagnostics::ErrorIdentity id{"1FA", "DS",
                                      diagnostics::recoveryModeLabel(context.searchMode),
                                      "Search more partition for selected drive..."};
  out.faulted = !diagnostics::guardStep(
      context.reporter, id, [&] { DiskSearch(context, disk, table, onAdded, out).run(mode); });
  out.message = diskSearchResultMessage(out.found, disk.diskNumber);
  return out;
}

}  // namespace quendrix::deepsearch
