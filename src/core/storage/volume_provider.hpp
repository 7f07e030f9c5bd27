#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quendrix::storage {

// Where a volume lies on a physical disk, in 512-byte sectors.
struct VolumeExtent {
  std::uint32_t diskNumber = 0;
  std::uint64_t startSector = 0;
  std::uint64_t sectorCount = 0;
};

// Free and total space of a mounted file system.
struct VolumeSpace {
  std::uint64_t totalBytes = 0;
  std::uint64_t freeBytes = 0;
};

// What the platform knows about one mounted volume.
struct VolumeFacts {
  std::string rootPath;    // where it is mounted
  std::string devicePath;  // the block device it is read through
  std::string label;
  std::string serial;
  std::string fileSystem;              // empty: unknown
  std::optional<VolumeSpace> space;    // none: could not be read
  std::optional<VolumeExtent> extent;  // none: the extent query failed
  bool dynamic = false;                // its disk holds a dynamic-disk partition
};

// The platform's mounted volumes, leaving out optical and floppy drives.
class VolumeProvider {
 public:
  virtual ~VolumeProvider() = default;
  virtual std::vector<VolumeFacts> volumes() = 0;
};

// A provider without volumes.
class NoVolumes final : public VolumeProvider {
 public:
  std::vector<VolumeFacts> volumes() override { return {}; }
};

}  // namespace quendrix::storage
