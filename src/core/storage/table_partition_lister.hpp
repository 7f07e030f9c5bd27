#pragma once

#include "diagnostics/error_guard.hpp"
#include "search_mode.hpp"
#include "storage/disk_source.hpp"
#include "storage/partition_lister.hpp"
#include "storage/raw_device.hpp"

namespace quendrix::storage {

// The disk a drive-tree record describes, as the partition readers take it.
DiskSource diskSourceOf(const DiskRecord& disk);

// Lists a disk's partitions from its master boot record, extended chain and GPT entries.
class TablePartitionLister final : public PartitionLister {
 public:
  TablePartitionLister(RawDeviceOpener& opener, diagnostics::ErrorReporter& reporter,
                       SearchMode mode = SearchMode::None)
      : opener_(opener), reporter_(reporter), mode_(mode) {}

  void listPartitions(const DiskRecord& disk, const Add& add) override;

 private:
  RawDeviceOpener& opener_;
  diagnostics::ErrorReporter& reporter_;
  SearchMode mode_;
};

}  // namespace quendrix::storage
