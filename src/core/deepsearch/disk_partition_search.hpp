#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "deepsearch/partition_search_context.hpp"
#include "deepsearch/partition_search_mode.hpp"
#include "storage/disk_partition_table.hpp"
#include "storage/disk_source.hpp"

namespace quendrix::deepsearch {

struct DiskSearchOutcome {
  std::uint32_t found = 0;
  bool opened = false;   // the disk could be opened
  bool stopped = false;  // a stop request ended the search early
  bool faulted = false;  // an unexpected fault ended it; it was reported
  std::vector<storage::PartitionRecord> added;
  std::string message;  // the result message for what was found
};

// Looks for boot sectors that the disk's table does not list and adds each new FAT16, FAT32
// or NTFS partition to it (up to 26). Standard reads the start of every cylinder of the
// 255 x 63 geometry, Advanced every sector. onAdded is called for each partition added.
DiskSearchOutcome searchDiskPartitions(
    const PartitionSearchContext& context, const storage::DiskSource& disk,
    PartitionSearchMode mode, storage::DiskPartitionTable& table,
    const std::function<void(const storage::PartitionRecord&)>& onAdded = {});

// The cylinder layout the Standard search reads: 63 sectors per track, and 255 heads unless
// the disk reports 63 sectors per track itself; cylinders enough to cover every sector,
// the last partial cylinder included.
struct CylinderLayout {
  std::uint64_t cylinders = 0;
  std::uint32_t heads = 0;
  std::uint32_t sectorsPerTrack = 0;
};
CylinderLayout cylinderLayout(const storage::DiskGeometry& geometry, std::uint64_t totalSectors);

}  // namespace quendrix::deepsearch
