#include "storage/gpt_listing.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "storage/boot_sector_recognition.hpp"
#include "storage/little_endian.hpp"
#include "storage/read_sectors.hpp"

namespace quendrix::storage {
namespace {

constexpr SectorNumber kFirstEntrySector = 2;
constexpr SectorNumber kLastEntrySector = 33;
constexpr std::size_t kEntrySize = 128;

// E3C9E316-0B5C-4DB8-817D-F92DF00215AE as stored on disk.
constexpr std::array<std::uint8_t, 16> kMicrosoftReserved = {
    0x16, 0xE3, 0xC9, 0xE3, 0x5C, 0x0B, 0xB8, 0x4D, 0x81, 0x7D, 0xF9, 0x2D, 0xF0, 0x02, 0x15, 0xAE};

bool isMicrosoftReserved(std::span<const std::byte> entry) {
  return std::equal(
      kMicrosoftReserved.begin(), kMicrosoftReserved.end(), entry.begin(),
      [](std::uint8_t a, std::byte b) { return a == std::to_integer<std::uint8_t>(b); });
}

}  // namespace

void listGptPartitions(RawDeviceOpener& opener, std::string_view devicePath,
                       DiskPartitionTable& table) {
  std::array<std::byte, kSectorSize> entries{};
  std::array<std::byte, kSectorSize> boot{};
  for (SectorNumber s = kFirstEntrySector; s <= kLastEntrySector; ++s) {
    entries.fill(std::byte{0});
    ReadSectors(opener, 1, devicePath, s, entries);
    for (std::size_t e = 0; e < kSectorSize / kEntrySize; ++e) {
      auto entry = std::span<const std::byte>(entries).subspan(e * kEntrySize, kEntrySize);
      if (isMicrosoftReserved(entry)) continue;
      const std::uint64_t lastLba = u64Or0(entry, 40);
      if (lastLba == 0) return;
      const std::uint64_t firstLba = u64Or0(entry, 32);
      boot.fill(std::byte{0});
      ReadSectors(opener, 1, devicePath, firstLba, boot);
      const auto kind = kindOf(recognizeBootSector(boot, false));
      if (!kind) continue;
      // The entry holds its last sector; the table keeps the sector after it as the end.
      if (!table.add(typeName(*kind), firstLba, lastLba + 1, PartitionOrigin::Gpt)) return;
    }
  }
}

}  // namespace quendrix::storage
