#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "deepsearch/found_partition_row.hpp"
#include "deepsearch/partition_search_context.hpp"

namespace quendrix::deepsearch {

// A logical drive (a mounted volume or a partition device) searched on its own: where to
// read it, the name it is shown with and its size in 512-byte sectors.
struct DriveSource {
  std::string devicePath;
  std::string driveName;
  std::uint64_t totalSectors = 0;
};

struct DriveSearchOutcome {
  std::uint32_t found = 0;
  bool opened = false;
  bool stopped = false;
  bool faulted = false;
  std::vector<FoundPartitionRow> added;
  // The drive-tree item selected at the end: the last one added.
  std::optional<std::string> lastItemLabel;
  std::string message;
};

// Reads the whole drive in 1024-sector blocks and appends a row to the list for every boot
// sector of a file system the list does not hold yet for this drive. The drive's own file
// system, whose boot sector is its first sector, is not a found partition.
DriveSearchOutcome searchLogicalDrive(
    const PartitionSearchContext& context, const DriveSource& drive, FoundPartitionList& list,
    const std::function<void(const FoundPartitionRow&)>& onAdded = {});

}  // namespace quendrix::deepsearch
