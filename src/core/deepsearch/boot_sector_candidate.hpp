#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "storage/boot_sector_recognition.hpp"
#include "storage/sector.hpp"

namespace quendrix::deepsearch {

// A sector that passed the boot-sector tests of a partition search, with the partition it
// describes: from its own sector to its own sector plus the volume's sector count.
struct BootSectorCandidate {
  storage::FileSystemKind kind = storage::FileSystemKind::Fat16;
  storage::SectorNumber start = 0;
  storage::SectorNumber end = 0;
};

// The disk search tests "32" at 0x55, then "16" at 0x39, then "NTFS" at 3.
std::optional<BootSectorCandidate> examineDiskSector(std::span<const std::byte> sector,
                                                     storage::SectorNumber at);

// The logical-drive search tests "NTFS" at 3 first, then "16" at 0x39, then "32" at 0x55. An
// NTFS count of 0 is passed over, and one larger than the drive is cut down to the drive.
std::optional<BootSectorCandidate> examineDriveSector(std::span<const std::byte> sector,
                                                      storage::SectorNumber at,
                                                      std::uint64_t driveSectors);

// The file systems a search already knows, with the boot sector each starts with. A
// candidate is not new when one of the same type starts where it starts: one boot sector is
// one file system, whatever end the table and the boot sector give it (an NTFS volume counts
// one sector less than its partition, whose last sector holds the backup boot sector; a FAT
// volume may be rounded down). Nor is it new when it is a backup copy of one: the same
// sector again inside it or at its end (FAT32 keeps one at sector 6, NTFS after its last).
class KnownFileSystems {
 public:
  void add(const BootSectorCandidate& known, std::span<const std::byte> bootSector);
  bool covers(const BootSectorCandidate& candidate, std::span<const std::byte> bootSector) const;

 private:
  struct Known {
    BootSectorCandidate fs;
    std::array<std::byte, storage::kSectorSize> boot{};
  };
  std::vector<Known> known_;
};

}  // namespace quendrix::deepsearch
