#pragma once

#include <cstdint>
#include <functional>
#include <string>

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

// Lists the partitions of a disk that was just listed, handing each to add as it is found
// (so that a fault part-way keeps the partitions found before it).
class PartitionLister {
 public:
  using Add = std::function<void(PartitionTreeEntry)>;
  virtual ~PartitionLister() = default;
  virtual void listPartitions(const DiskRecord& disk, const Add& add) = 0;
};

// Lists no partitions.
class NoPartitions final : public PartitionLister {
 public:
  void listPartitions(const DiskRecord&, const Add&) override {}
};

}  // namespace quendrix::storage
