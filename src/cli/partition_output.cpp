#include "partition_output.hpp"

#include <array>
#include <cstdio>
#include <ostream>

#include "storage/boot_sector_recognition.hpp"
#include "storage/read_sectors.hpp"
#include "storage/size_text.hpp"
#include "storage/source_spec.hpp"

namespace quendrix::cli {
storage::DiskSource diskSourceFor(const std::string& text, const ResolvedSource& source) {
  storage::DiskSource disk;
  disk.devicePath = source.path;
  disk.totalSectors = source.totalSectors;
  disk.geometry = storage::DiskGeometry::synthesized(source.totalSectors);
  auto named = storage::parseSourceSpec(text);
  if (named && named->diskNumber) {
    disk.diskNumber = static_cast<std::uint32_t>(*named->diskNumber);
  } else {
    auto table = platformDiskTable();
    auto number = table.numberOf(source.path);
    if (!number) number = table.add(source.path);
    disk.diskNumber = static_cast<std::uint32_t>(number.value_or(0));
  }
  return disk;
}

std::string volumeFileSystemAt(storage::RawDeviceOpener& opener, const std::string& path) {
  std::array<std::byte, storage::kSectorSize> sector{};
  if (!storage::ReadSectors(opener, 1, path, 0, sector)) return {};
  if (!storage::looksLikeVolumeBootSector(sector)) return {};
  if (auto kind = storage::kindOf(storage::recognizeBootSector(sector, false))) {
    return std::string(storage::typeName(*kind));
  }
  return storage::saysExfat(sector) ? "exFAT" : "FAT12";
}

void printPartitionTable(std::ostream& out, const std::vector<storage::PartitionRecord>& parts) {
  char line[200];
  std::snprintf(line, sizeof line, "%-3s %-6s %12s %12s %10s  %s\n", "#", "Type", "Start", "End",
                "Size", "Label");
  out << line;
  for (const auto& p : parts) {
    std::snprintf(
        line, sizeof line, "%-3u %-6s %12llu %12llu %10s  %s\n", p.number, p.typeName.c_str(),
        static_cast<unsigned long long>(p.start), static_cast<unsigned long long>(p.end),
        storage::trimmedSizeText(storage::sectorToByte(p.sectorCount())).c_str(), p.label.c_str());
    out << line;
  }
}

void writePartitionJson(JsonText& json, const storage::PartitionRecord& p) {
  json.beginObject()
      .field("number", p.number)
      .field("index", p.index)
      .field("type", p.typeName)
      .field("start", p.start)
      .field("end", p.end)
      .field("sectors", p.sectorCount())
      .field("size", storage::sizeText(storage::sectorToByte(p.sectorCount())))
      .field("label", p.label)
      .field("origin", storage::originName(p.origin))
      .endObject();
}

void writeDiskJson(JsonText& json, const storage::DiskSource& disk) {
  json.beginObject()
      .field("path", disk.devicePath)
      .field("number", disk.diskNumber)
      .field("name", disk.diskName())
      .field("totalSectors", disk.totalSectors)
      .field("size", storage::sizeText(storage::sectorToByte(disk.totalSectors)))
      .key("geometry")
      .beginObject()
      .field("cylinders", disk.geometry.cylinders)
      .field("heads", disk.geometry.heads)
      .field("sectorsPerTrack", disk.geometry.sectorsPerTrack)
      .field("bytesPerSector", disk.geometry.bytesPerSector)
      .endObject()
      .endObject();
}

}  // namespace quendrix::cli
