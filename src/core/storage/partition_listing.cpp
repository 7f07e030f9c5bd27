#include "storage/partition_listing.hpp"

#include <array>
#include <cstdint>
#include <set>

#include "storage/boot_sector_recognition.hpp"
#include "storage/gpt_listing.hpp"
#include "storage/little_endian.hpp"
#include "storage/read_sectors.hpp"

namespace quendrix::storage {
namespace {

constexpr std::size_t kFirstEntry = 446;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kEntries = 4;
// A primary partition starting this close to the end of the disk ends the listing.
constexpr std::uint64_t kMinTailSectors = 24576;
// However an extended chain is linked, no more boot records than this are followed.
constexpr std::size_t kMaxExtendedRecords = 256;

using Sector = std::array<std::byte, kSectorSize>;

struct TableEntry {
  std::uint8_t type = 0;
  std::uint32_t firstSector = 0;
  std::uint32_t sectorCount = 0;
};

TableEntry entryAt(const Sector& record, std::size_t i) {
  const std::size_t at = kFirstEntry + i * kEntrySize;
  return {u8Or0(record, at + 4), u32Or0(record, at + 8), u32Or0(record, at + 12)};
}

// An unreadable sector reads as zeros, which no test recognises.
Sector readSector(RawDeviceOpener& opener, const DiskSource& disk, SectorNumber sector) {
  Sector buffer{};
  if (!ReadSectors(opener, 1, disk.devicePath, sector, buffer)) buffer.fill(std::byte{0});
  return buffer;
}

// The type a partition is listed with: its boot sector's name, else its type byte. Type 7 is
// shared with exFAT; an exFAT boot sector is not a damaged NTFS one.
std::optional<FileSystemKind> kindByTypeByte(const Sector& boot, std::uint8_t type, bool logical) {
  if (type == 0x07 && saysExfat(boot)) return std::nullopt;
  return logical ? logicalTypeFallback(type) : primaryTypeFallback(type);
}

class Lister {
 public:
  Lister(RawDeviceOpener& opener, const DiskSource& disk, const PartitionListOptions& options,
         PartitionListing& out)
      : opener_(opener), disk_(disk), options_(options), out_(out) {}

  void run() {
    const Sector mbr = readSector(opener_, disk_, 0);
    if (!hasBootSignature(mbr)) return;
    std::optional<SectorNumber> extendedBase;
    for (std::size_t i = 0; i < kEntries; ++i) {
      const TableEntry entry = entryAt(mbr, i);
      if (entry.type == 0) continue;
      if (entry.firstSector >= disk_.totalSectors ||
          disk_.totalSectors - entry.firstSector < kMinTailSectors) {
        return;
      }
      const Sector boot = readSector(opener_, disk_, entry.firstSector);
      const BootSectorMatch match = recognizeBootSector(boot, true);
      if (match == BootSectorMatch::GptHeader) {
        listGptPartitions(opener_, disk_.devicePath, out_.table);
        break;
      }
      auto kind = kindOf(match);
      if (!kind) {
        if (isExtendedType(entry.type)) {
          extendedBase = entry.firstSector;
          continue;
        }
        kind = kindByTypeByte(boot, entry.type, false);
      }
      if (!kind) continue;
      const SectorNumber start = entry.firstSector;
      const SectorNumber end = start + entry.sectorCount;
      if (!list(*kind, start, end, PartitionOrigin::MasterBootRecord)) return;
      if (!options_.hasParentItem) {
        out_.selectedVolume = SelectedVolume{std::string(typeName(*kind)), start, end};
        break;
      }
    }
    if (extendedBase) listExtendedChain(*extendedBase);
  }

 private:
  // Follows the chain of extended boot records. Every record's four entries are read; a
  // record that links back into the chain, or lies past the disk, ends it.
  void listExtendedChain(SectorNumber base) {
    std::set<std::uint64_t> visited;
    std::optional<std::uint64_t> next = 0;
    while (next && visited.size() < kMaxExtendedRecords) {
      const std::uint64_t offset = *next;
      next.reset();
      const SectorNumber recordSector = base + offset;
      if (recordSector >= disk_.totalSectors || !visited.insert(offset).second) return;
      const Sector record = readSector(opener_, disk_, recordSector);
      for (std::size_t i = 0; i < kEntries; ++i) {
        const TableEntry entry = entryAt(record, i);
        if (entry.type == 0) continue;
        if (isExtendedType(entry.type)) {
          next = entry.firstSector;
          continue;
        }
        const SectorNumber start = recordSector + entry.firstSector;
        if (start >= disk_.totalSectors) continue;
        const Sector boot = readSector(opener_, disk_, start);
        auto kind = kindOf(recognizeBootSector(boot, false));
        if (!kind) kind = kindByTypeByte(boot, entry.type, true);
        if (!kind) continue;
        if (!list(*kind, start, start + entry.sectorCount, PartitionOrigin::ExtendedBootRecord)) {
          return;
        }
      }
    }
  }

  bool list(FileSystemKind kind, SectorNumber start, SectorNumber end, PartitionOrigin origin) {
    return out_.table.add(typeName(kind), start, end, origin).has_value();
  }

  RawDeviceOpener& opener_;
  const DiskSource& disk_;
  const PartitionListOptions& options_;
  PartitionListing& out_;
};

}  // namespace

PartitionListing listPartitions(RawDeviceOpener& opener, const DiskSource& disk,
                                diagnostics::ErrorReporter& reporter,
                                const PartitionListOptions& options) {
  PartitionListing listing;
  const diagnostics::ErrorIdentity id{"1H", "LD", diagnostics::recoveryModeLabel(options.mode),
                                      "Scanning for drive partition..."};
  listing.faulted =
      !diagnostics::guardStep(reporter, id, [&] { Lister(opener, disk, options, listing).run(); });
  return listing;
}

}  // namespace quendrix::storage
