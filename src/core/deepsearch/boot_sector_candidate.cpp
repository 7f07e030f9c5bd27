#include "deepsearch/boot_sector_candidate.hpp"

#include <algorithm>

#include "storage/little_endian.hpp"

namespace quendrix::deepsearch {
namespace {

using storage::FileSystemKind;

bool bytesAre(std::span<const std::byte> sector, std::size_t offset, const char* text) {
  for (std::size_t i = 0; text[i] != '\0'; ++i) {
    if (storage::u8Or0(sector, offset + i) != static_cast<unsigned char>(text[i])) return false;
  }
  return true;
}

BootSectorCandidate fatCandidate(FileSystemKind kind, std::span<const std::byte> sector,
                                 storage::SectorNumber at) {
  return {kind, at, at + storage::fatTotalSectors(sector)};
}

}  // namespace

std::optional<BootSectorCandidate> examineDiskSector(std::span<const std::byte> sector,
                                                     storage::SectorNumber at) {
  if (bytesAre(sector, 0x55, "32")) return fatCandidate(FileSystemKind::Fat32, sector, at);
  if (bytesAre(sector, 0x39, "16")) return fatCandidate(FileSystemKind::Fat16, sector, at);
  if (bytesAre(sector, 3, "NTFS")) {
    return BootSectorCandidate{FileSystemKind::Ntfs, at, at + storage::ntfsTotalSectors(sector)};
  }
  return std::nullopt;
}

std::optional<BootSectorCandidate> examineDriveSector(std::span<const std::byte> sector,
                                                      storage::SectorNumber at,
                                                      std::uint64_t driveSectors) {
  if (bytesAre(sector, 3, "NTFS")) {
    const std::uint64_t count =
        std::min<std::uint64_t>(storage::ntfsTotalSectors(sector), driveSectors);
    if (count == 0) return std::nullopt;
    return BootSectorCandidate{FileSystemKind::Ntfs, at, at + count};
  }
  if (bytesAre(sector, 0x39, "16")) return fatCandidate(FileSystemKind::Fat16, sector, at);
  if (bytesAre(sector, 0x55, "32")) return fatCandidate(FileSystemKind::Fat32, sector, at);
  return std::nullopt;
}

void KnownFileSystems::add(const BootSectorCandidate& known, std::span<const std::byte> boot) {
  Known entry{known, {}};
  std::copy_n(boot.begin(), std::min(boot.size(), entry.boot.size()), entry.boot.begin());
  known_.push_back(entry);
}

bool KnownFileSystems::covers(const BootSectorCandidate& c, std::span<const std::byte> boot) const {
  return std::any_of(known_.begin(), known_.end(), [&](const Known& k) {
    if (k.fs.kind != c.kind) return false;
    if (k.fs.start == c.start) return true;
    return k.fs.start < c.start && c.start <= k.fs.end && boot.size() >= k.boot.size() &&
           std::equal(k.boot.begin(), k.boot.end(), boot.begin());
  });
}

}  // namespace quendrix::deepsearch
