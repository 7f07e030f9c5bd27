#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "storage/partition_record.hpp"

namespace quendrix::storage {

// The listed partitions of one disk, numbered from 1 in the order they were found. It holds
// at most 26; adding to a full table does nothing.
class DiskPartitionTable {
 public:
  static constexpr std::size_t kMaxPartitions = 26;

  std::size_t count() const { return entries_.size(); }
  bool full() const { return entries_.size() >= kMaxPartitions; }
  const std::vector<PartitionRecord>& entries() const { return entries_; }

  // The type name of the k-th listed partition (k from 0), empty past the end.
  std::string_view typeName(std::size_t k) const;
  // Partition number n (from 1).
  const PartitionRecord* entry(std::uint32_t number) const;
  // Partition 1, the one a disk's first-partition item stands for.
  const PartitionRecord* firstPartition() const { return entry(1); }

  // Lists a partition under the next number; nullopt when the table is full.
  std::optional<PartitionRecord> add(std::string_view typeName, SectorNumber start,
                                     SectorNumber end, PartitionOrigin origin);

  // A partition with this start, end and type is listed already.
  bool contains(SectorNumber start, SectorNumber end, std::string_view typeName) const;

  void clear() { entries_.clear(); }

 private:
  std::vector<PartitionRecord> entries_;
};

}  // namespace quendrix::storage
