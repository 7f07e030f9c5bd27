#include "deepsearch/found_partition_row.hpp"

#include <algorithm>

#include "storage/little_endian.hpp"
#include "storage/size_text.hpp"

namespace quendrix::deepsearch {
namespace {

using storage::u16Or0;
using storage::u32Or0;
using storage::u8Or0;

// Clusters per index record at 0x44: a negative byte is a power of two in bytes (0xF4 is
// 4096 bytes, 8 sectors), a positive one counts clusters.
std::int64_t indexRecordSectors(std::span<const std::byte> boot, std::uint32_t perCluster) {
  const auto raw = static_cast<std::int8_t>(u8Or0(boot, 0x44));
  if (raw < 0) {
    const int shift = -raw;
    return shift >= 9 && shift < 40 ? (std::int64_t{1} << shift) / storage::kSectorSize : 0;
  }
  return static_cast<std::int64_t>(raw) * perCluster;
}

std::vector<std::string> ntfsValues(std::span<const std::byte> boot) {
  const std::uint32_t perCluster = u8Or0(boot, 0x0D);
  return {std::to_string(perCluster),
          std::to_string(indexRecordSectors(boot, perCluster)),
          "2",
          std::to_string(u32Or0(boot, 0x28)),
          std::to_string(u32Or0(boot, 0x30)),
          std::to_string(u32Or0(boot, 0x38))};
}

std::vector<std::string> fatValues(storage::FileSystemKind kind, storage::SectorNumber start,
                                   std::span<const std::byte> boot) {
  const bool fat32 = kind == storage::FileSystemKind::Fat32;
  const std::int64_t s = static_cast<std::int64_t>(start);
  const std::int64_t perFat = fat32 ? u32Or0(boot, 0x24) : u16Or0(boot, 0x16);
  const std::int64_t perCluster = u8Or0(boot, 0x0D);
  const std::int64_t reserved = u16Or0(boot, 0x0E);
  const std::int64_t rootSectors = fat32 ? 0 : u16Or0(boot, 0x11) / 16;
  const std::int64_t rootStartOrCluster = fat32 ? u32Or0(boot, 0x2C) : s + reserved + 2 * perFat;
  const std::int64_t cluster0 = s + reserved + 2 * (perFat - perCluster) + rootSectors;
  return {std::to_string(perFat),       std::to_string(perCluster),
          std::to_string(rootSectors),  std::to_string(rootStartOrCluster),
          std::to_string(reserved),     std::to_string(cluster0),
          std::to_string(s + reserved), std::to_string(s + reserved + perFat)};
}

}  // namespace

std::vector<std::string> FoundPartitionRow::columns() const {
  std::vector<std::string> out{driveKey, name, typeName, std::to_string(start), std::to_string(end),
                               sizeText};
  out.insert(out.end(), typeValues.begin(), typeValues.end());
  return out;
}

std::string driveKey(std::string_view driveName) {
  return "Log|" + std::string(driveName) + "|";
}

FoundPartitionRow makeFoundPartitionRow(std::string_view driveName, std::uint32_t number,
                                        const BootSectorCandidate& found,
                                        std::span<const std::byte> boot) {
  FoundPartitionRow row;
  row.driveKey = driveKey(driveName);
  row.name = "Recognised" + std::to_string(number);
  row.typeName = std::string(storage::typeName(found.kind));
  row.start = found.start;
  row.end = found.end;
  const std::uint64_t bytes = storage::sectorToByte(found.end - found.start);
  row.sizeText = storage::sizeText(bytes);
  row.typeValues = found.kind == storage::FileSystemKind::Ntfs
                       ? ntfsValues(boot)
                       : fatValues(found.kind, found.start, boot);
  row.itemLabel = row.name + " - " + storage::trimmedSizeText(bytes) + " - " + row.typeName;
  return row;
}

std::uint32_t FoundPartitionList::countFor(std::string_view key) const {
  return static_cast<std::uint32_t>(std::count_if(
      rows_.begin(), rows_.end(), [&](const FoundPartitionRow& r) { return r.driveKey == key; }));
}

bool FoundPartitionList::contains(std::string_view key, storage::SectorNumber start,
                                  storage::SectorNumber end, std::string_view typeName) const {
  return std::any_of(rows_.begin(), rows_.end(), [&](const FoundPartitionRow& r) {
    return r.driveKey == key && r.start == start && r.end == end && r.typeName == typeName;
  });
}

}  // namespace quendrix::deepsearch
