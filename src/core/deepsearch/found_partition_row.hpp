#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "deepsearch/boot_sector_candidate.hpp"

namespace quendrix::deepsearch {

// One partition the logical-drive search found: the row of the found-partition list and the
// text of the drive-tree item it adds under the drive.
struct FoundPartitionRow {
  std::string driveKey;  // "Log|" drive name "|"
  std::string name;      // "Recognised1"
  std::string typeName;  // "NTFS", "FAT16" or "FAT32"
  storage::SectorNumber start = 0;
  storage::SectorNumber end = 0;
  std::string sizeText;  // of (end - start) sectors
  // The values of the columns after the size, which differ by type: for NTFS sectors per
  // cluster, index record sectors, 2, total sectors, MFT cluster, MFT mirror cluster; for FAT
  // sectors per FAT, sectors per cluster, root sectors (FAT16; 0 for FAT32), root start
  // (FAT16) or root cluster (FAT32), reserved sectors, cluster 0 start, first and second FAT.
  std::vector<std::string> typeValues;
  std::string itemLabel;  // "Recognised1 - 40.00 MB - FAT32"

  // All the columns in list order.
  std::vector<std::string> columns() const;
};

// "Log|" + drive name + "|".
std::string driveKey(std::string_view driveName);

// The row of a found partition that is the number-th one found on its drive.
FoundPartitionRow makeFoundPartitionRow(std::string_view driveName, std::uint32_t number,
                                        const BootSectorCandidate& found,
                                        std::span<const std::byte> bootSector);

// The found-partition list of a window: the rows of every drive searched.
class FoundPartitionList {
 public:
  const std::vector<FoundPartitionRow>& rows() const { return rows_; }
  std::uint32_t countFor(std::string_view key) const;
  bool contains(std::string_view key, storage::SectorNumber start, storage::SectorNumber end,
                std::string_view typeName) const;
  void append(FoundPartitionRow row) { rows_.push_back(std::move(row)); }
  void clear() { rows_.clear(); }

 private:
  std::vector<FoundPartitionRow> rows_;
};

}  // namespace quendrix::deepsearch
