#include "storage/volume_details.hpp"

#include "storage/search_mode_name.hpp"
#include "storage/sector.hpp"
#include "storage/size_text.hpp"

namespace quendrix::storage {
namespace {
constexpr std::string_view kUnknownSize = "Unknown Size ";
}

std::string volumeLabel(std::string_view rootPath, std::uint64_t totalBytes,
                        std::string_view volumeLabel, std::string_view fileSystem) {
  const std::string size =
      totalBytes == 0 ? std::string(kUnknownSize) : trimmedSizeText(totalBytes);
  return std::string(rootPath) + " (" + size + " - " + std::string(volumeLabel) + " - " +
         std::string(fileSystem) + ")";
}

DiskRecord makeVolumeRecord(const VolumeFacts& facts, SearchMode mode) {
  DiskRecord r;
  r.fileSystem = facts.fileSystem.empty() ? "Unknown" : facts.fileSystem;
  const std::uint64_t total = facts.space ? facts.space->totalBytes : 0;
  r.label = volumeLabel(facts.rootPath, total, facts.label, r.fileSystem);
  r.kind = "Logical Drives";
  r.modeName = searchModeName(mode);
  r.startText = "0";
  r.sectorsText = std::to_string(byteToSector(total));
  r.driveLetter = facts.rootPath;
  r.volumeLabel = facts.label;
  r.sizeText = total == 0 ? std::string(kUnknownSize) : trimmedSizeText(total);
  if (!facts.space) {
    r.freeText = std::string(kUnknownSize);
  } else if (facts.space->freeBytes > 0) {
    r.freeText = trimmedSizeText(facts.space->freeBytes);
  }
  r.serialText = facts.serial;
  r.totalBytes = total;
  if (facts.extent) {
    r.diskNumber = facts.extent->diskNumber;
    r.startSector = facts.extent->startSector;
    r.endSector = facts.extent->startSector + facts.extent->sectorCount;
  }
  r.dynamicFlag = facts.dynamic ? 1 : 0;
  r.devicePath = facts.devicePath;
  return r;
}

std::string volumeListLine(const DiskRecord& volume) {
  return volume.devicePath + "|" + volume.sectorsText;
}

InfoRows volumeInfoRows(const DiskRecord& volume) {
  return {
      {"1. Start Sector :", "0"},
      {"2. End Sector : ", volume.sectorsText},
      {"3. Partition Type : ", volume.fileSystem},
      {"4. Volume : ", volume.driveLetter},
      {"5. Label : ", volume.volumeLabel},
      {"6. Size : ", volume.sizeText},
      {"7. Free Space : ", volume.freeText},
      {"8. Search Mode : ", volume.modeName},
      {"9. Serial Number : ", volume.serialText},
  };
}

}  // namespace quendrix::storage
