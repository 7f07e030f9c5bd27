#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search_mode.hpp"
#include "storage/disk_provider.hpp"
#include "storage/disk_record.hpp"
#include "storage/info_row.hpp"

namespace quendrix::storage {

// Disk numbers 0 to 24 are examined when disks are listed.
inline constexpr std::uint32_t kListedDiskNumbers = 25;

// "Kingston DataTraveler USB Device": vendor and product (the vendor only when it is not
// empty), the bus text and " Device".
std::string diskModelText(std::string_view vendor, std::string_view product,
                          std::string_view busText);

// "Removable Media (Disk1 - 7.45 GB)".
std::string diskLabel(std::string_view mediaText, std::uint32_t number, std::string_view sizeText);

// The record of a disk item. Total sectors and the size come from the exact size; the
// geometry texts are shown as the disk reports them. The facts must carry a geometry.
DiskRecord makeDiskRecord(const DiskFacts& facts, SearchMode mode, std::string_view systemName);

// "model||size text||total sectors||number", one line of the device list.
std::string deviceListLine(const DiskRecord& disk);

// What selecting a disk item sets: the current area is the whole disk.
struct DiskSelection {
  std::uint32_t diskNumber = 0;
  std::uint64_t areaStart = 0;
  std::uint64_t areaEnd = 0;
  std::string selectedDiskLine;  // as deviceListLine, trimmed
  std::uint64_t sizeMib = 0;
  std::string capacity, cylinders, heads, sectorsPerTrack;
};
DiskSelection selectDisk(const DiskRecord& disk);

// The 13 information rows of a disk item.
InfoRows diskInfoRows(const DiskRecord& disk);

// The device path as shown in the details: a "\\.\" device prefix, backslashes and dots go
// ("PhysicalDrive1"); a POSIX path is shown as it is.
std::string physicalDeviceId(std::string_view devicePath);

}  // namespace quendrix::storage
