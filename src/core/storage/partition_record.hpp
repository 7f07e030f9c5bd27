#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage/sector.hpp"

namespace quendrix::storage {

// Where a listed partition was found.
enum class PartitionOrigin { MasterBootRecord, ExtendedBootRecord, Gpt, Search };

// "mbr", "ebr", "gpt" or "search".
std::string_view originName(PartitionOrigin origin);

// One listed partition of a disk. The end is one past its last sector, whatever table or
// search found it, so that (end - start) is always its size.
struct PartitionRecord {
  std::uint32_t number = 0;  // from 1
  std::uint32_t index = 0;   // number - 1
  std::string typeName;      // "FAT16", "FAT32" or "NTFS"
  SectorNumber start = 0;
  SectorNumber end = 0;
  PartitionOrigin origin = PartitionOrigin::MasterBootRecord;
  std::string label;  // "Partition - 2 ( NTFS )"

  std::uint64_t sectorCount() const { return end > start ? end - start : 0; }
};

// The item text of a listed partition: "Partition - " number " ( " type " )".
std::string partitionLabel(std::uint32_t number, std::string_view typeName);

}  // namespace quendrix::storage
