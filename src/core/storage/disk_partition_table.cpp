#include "storage/disk_partition_table.hpp"

#include <algorithm>
#include <string>

namespace quendrix::storage {

std::string_view DiskPartitionTable::typeName(std::size_t k) const {
  return k < entries_.size() ? std::string_view(entries_[k].typeName) : std::string_view();
}

const PartitionRecord* DiskPartitionTable::entry(std::uint32_t number) const {
  if (number == 0 || number > entries_.size()) return nullptr;
  return &entries_[number - 1];
}

std::optional<PartitionRecord> DiskPartitionTable::add(std::string_view typeName,
                                                       SectorNumber start, SectorNumber end,
                                                       PartitionOrigin origin) {
  if (full()) return std::nullopt;
  PartitionRecord record;
  record.number = static_cast<std::uint32_t>(entries_.size() + 1);
  record.index = record.number - 1;
  record.typeName = std::string(typeName);
  record.start = start;
  record.end = end;
  record.origin = origin;
  record.label = partitionLabel(record.number, typeName);
  entries_.push_back(record);
  return record;
}

bool DiskPartitionTable::contains(SectorNumber start, SectorNumber end,
                                  std::string_view typeName) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const PartitionRecord& p) {
    return p.start == start && p.end == end && p.typeName == typeName;
  });
}

}  // namespace quendrix::storage
