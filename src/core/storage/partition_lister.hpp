#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/disk_record.hpp"

namespace quendrix::storage {

// One partition item under a disk item of the drive tree.
struct PartitionTreeEntry {
  std::string label;     // "Partition - 1 ( FAT32 )"
  std::string typeName;  // "FAT16", "FAT32" or "NTFS"
  std::uint32_t number = 0;
  std::uint64_t startSector = 0;
  std::uint64_t endSector = 0;
};

// Lists the partitions of a disk that was just listed.
class PartitionLister {
 public:
  virtual ~PartitionLister() = default;
  virtual std::vector<PartitionTreeEntry> partitionsOf(const DiskRecord& disk) = 0;
};

// Lists no partitions.
class NoPartitions final : public PartitionLister {
 public:
  std::vector<PartitionTreeEntry> partitionsOf(const DiskRecord&) override { return {}; }
};

}  // namespace quendrix::storage
