#include "storage/disk_source.hpp"

namespace quendrix::storage {

DiskGeometry DiskGeometry::synthesized(std::uint64_t totalSectors) {
  constexpr std::uint32_t kHeads = 255;
  constexpr std::uint32_t kSectorsPerTrack = 63;
  return {totalSectors / (kHeads * kSectorsPerTrack), kHeads, kSectorsPerTrack, kSectorSize};
}

}  // namespace quendrix::storage
