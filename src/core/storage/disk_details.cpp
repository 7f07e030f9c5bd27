#include "storage/disk_details.hpp"

#include "storage/bus_type.hpp"
#include "storage/search_mode_name.hpp"
#include "storage/sector.hpp"
#include "storage/size_text.hpp"
#include "storage/text_trim.hpp"

namespace quendrix::storage {

std::string diskModelText(std::string_view vendor, std::string_view product,
                          std::string_view busText) {
  std::string name = trimmed(product);
  const std::string v = trimmed(vendor);
  if (!v.empty()) name = trimmed(v + " " + name);
  return trimmed(name + " " + std::string(busText) + " Device");
}

std::string diskLabel(std::string_view mediaText, std::uint32_t number, std::string_view sizeText) {
  return std::string(mediaText) + " (Disk" + std::to_string(number) + " - " +
         std::string(sizeText) + ")";
}

DiskRecord makeDiskRecord(const DiskFacts& facts, SearchMode mode, std::string_view systemName) {
  const DiskGeometry geometry = facts.geometry.value_or(DiskGeometry{});
  const std::string busText = trimmed(busTypeText(facts.busCode));
  const std::string media = mediaText(facts.media, busText);
  const std::string size = trimmedSizeText(facts.sizeBytes);

  DiskRecord r;
  r.label = diskLabel(media, facts.number, size);
  r.kind = media;
  r.modeName = searchModeName(mode);
  r.numberText = std::to_string(facts.number);
  r.diskName = "Disk" + r.numberText;
  r.model = diskModelText(facts.vendor, facts.product, busText);
  r.summary = media.empty() ? size : size + " - " + media;
  r.modelCopy = r.model;
  r.media = media;
  r.bus = busText;
  r.capacity = size;
  r.cylinders = std::to_string(static_cast<std::int64_t>(geometry.cylinders));
  r.heads = std::to_string(geometry.tracksPerCylinder);
  r.totalSectors = std::to_string(byteToSector(facts.sizeBytes));
  r.bytesPerSector = std::to_string(geometry.bytesPerSector);
  r.sectorsPerTrack = std::to_string(geometry.sectorsPerTrack);
  r.firmwareRevision = trimmed(facts.revision);
  r.serialNumber = trimmed(facts.serial);
  r.systemName = std::string(systemName);
  r.devicePath = facts.path;
  r.sizeMib = facts.sizeBytes >> 20;
  return r;
}

std::string deviceListLine(const DiskRecord& disk) {
  return disk.model + "||" + disk.capacity + "||" + disk.totalSectors + "||" + disk.numberText;
}

DiskSelection selectDisk(const DiskRecord& disk) {
  DiskSelection s;
  s.diskNumber =
      static_cast<std::uint32_t>(std::stoul(disk.numberText.empty() ? "0" : disk.numberText));
  s.areaStart = 0;
  s.areaEnd = disk.totalSectors.empty() ? 0 : std::stoull(disk.totalSectors);
  s.selectedDiskLine = trimmed(deviceListLine(disk));
  s.sizeMib = disk.sizeMib;
  s.capacity = disk.capacity;
  s.cylinders = disk.cylinders;
  s.heads = disk.heads;
  s.sectorsPerTrack = disk.sectorsPerTrack;
  return s;
}

std::string physicalDeviceId(std::string_view devicePath) {
  constexpr std::string_view kDevicePrefix = "\\\\.\\";
  if (!devicePath.starts_with(kDevicePrefix)) return trimmed(devicePath);
  std::string id;
  for (char c : devicePath) {
    if (c != '\\' && c != '.') id += c;
  }
  return trimmed(id);
}

InfoRows diskInfoRows(const DiskRecord& disk) {
  return {
      {"1. Model :", disk.model},
      {"2. MediaType :", disk.media},
      {"3. Interface Type :", disk.bus},
      {"4. Capacity(size) :", disk.capacity},
      {"5. Cylinders :", disk.cylinders},
      {"6. Heads :", disk.heads},
      {"7. Sectors :", disk.totalSectors},
      {"8. Bytes per Sector :", disk.bytesPerSector},
      {"9. Sector per Track :", disk.sectorsPerTrack},
      {"10. Firmware Revision ID :", disk.firmwareRevision},
      {"11. Serial Number :", disk.serialNumber},
      {"12. System Name :", disk.systemName},
      {"13. Physical Device ID :", physicalDeviceId(disk.devicePath)},
  };
}

}  // namespace quendrix::storage
