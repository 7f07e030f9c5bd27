#pragma once

#include <cstdint>
#include <string>

#include "storage/sector.hpp"

namespace quendrix::storage {

// What a disk reports about its layout. Only the cylinder scan of the partition search uses
// it; sizes always come from the exact sector count.
struct DiskGeometry {
  std::uint64_t cylinders = 0;
  std::uint32_t heads = 0;  // tracks per cylinder
  std::uint32_t sectorsPerTrack = 0;
  std::uint32_t bytesPerSector = kSectorSize;

  // The usual 255 heads x 63 sectors layout for a device that reports none.
  static DiskGeometry synthesized(std::uint64_t totalSectors);
};

// The disk a partition reader or a partition search works on: where to read it, its number,
// its exact size in 512-byte sectors and its geometry.
struct DiskSource {
  std::string devicePath;
  std::uint32_t diskNumber = 0;
  std::uint64_t totalSectors = 0;
  DiskGeometry geometry;

  // "Disk" followed by the number, as the disk's details show it.
  std::string diskName() const { return "Disk" + std::to_string(diskNumber); }
};

}  // namespace quendrix::storage
