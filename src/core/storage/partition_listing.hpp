#pragma once

#include <optional>

#include "diagnostics/error_guard.hpp"
#include "search_mode.hpp"
#include "storage/disk_partition_table.hpp"
#include "storage/disk_source.hpp"
#include "storage/raw_device.hpp"
#include "storage/selected_volume.hpp"

namespace quendrix::storage {

struct PartitionListOptions {
  // A disk item lists every partition under itself. A logical volume read without an item
  // of its own takes its first recognised primary partition as the selected volume.
  bool hasParentItem = true;
  // The search the listing runs for, named in error reports.
  SearchMode mode = SearchMode::None;
};

struct PartitionListing {
  DiskPartitionTable table;
  std::optional<SelectedVolume> selectedVolume;
  bool faulted = false;  // a fault ended the listing; the partitions found before it stay
};

// Reads the master boot record, the extended chain and the GPT entries of a disk and lists
// its FAT16, FAT32 and NTFS partitions (at most 26).
PartitionListing listPartitions(RawDeviceOpener& opener, const DiskSource& disk,
                                diagnostics::ErrorReporter& reporter,
                                const PartitionListOptions& options = {});

}  // namespace quendrix::storage
