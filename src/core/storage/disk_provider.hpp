#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "storage/media_text.hpp"

namespace quendrix::storage {

// A drive's geometry as the platform reports it (or synthesizes it as 255 heads x 63 sectors).
struct DiskGeometry {
  std::uint64_t cylinders = 0;
  std::uint32_t tracksPerCylinder = 0;
  std::uint32_t sectorsPerTrack = 0;
  std::uint32_t bytesPerSector = 512;
};

// What the platform knows about one physical disk or disk image.
struct DiskFacts {
  std::uint32_t number = 0;              // its number in the device path table
  std::string path;                      // the path it is read through
  std::optional<DiskGeometry> geometry;  // none: the disk cannot be queried and is not listed
  MediaType media = MediaType::Unknown;
  std::optional<std::uint8_t> busCode;  // none: the bus type could not be learnt
  std::string vendor;
  std::string product;
  std::string revision;
  std::string serial;
  std::uint64_t sizeBytes = 0;  // the exact size
};

// The platform's disks, in the order of their numbers.
class DiskProvider {
 public:
  virtual ~DiskProvider() = default;
  virtual std::vector<DiskFacts> disks() = 0;
  // The computer's name, empty when it cannot be read.
  virtual std::string computerName() = 0;
};

}  // namespace quendrix::storage
