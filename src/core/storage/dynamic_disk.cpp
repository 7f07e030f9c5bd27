#include "storage/dynamic_disk.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "storage/little_endian.hpp"
#include "storage/read_sectors.hpp"

namespace quendrix::storage {
namespace {

constexpr std::array<std::uint8_t, 16> kDynamicDataType = {
    0xA0, 0x60, 0x9B, 0xAF, 0x31, 0x14, 0x62, 0x4F, 0xBC, 0x68, 0x33, 0x11, 0x71, 0x4A, 0x69, 0xAD};
constexpr std::uint8_t kMbrDynamic = 0x42;
constexpr std::uint8_t kMbrProtective = 0xEE;
// Bounds on the GPT header's entry array, which comes from disk.
constexpr std::uint32_t kMaxGptEntries = 1024;
constexpr std::uint32_t kMaxGptEntrySize = 4096;

bool gptHoldsDynamic(RawDeviceOpener& opener, std::string_view path) {
  std::vector<std::byte> header(kSectorSize);
  if (!ReadSectors(opener, 1, path, 1, header)) return false;
  static constexpr std::string_view kSignature = "EFI PART";
  for (std::size_t i = 0; i < kSignature.size(); ++i) {
    if (static_cast<char>(header[i]) != kSignature[i]) return false;
  }
  const std::uint64_t entriesLba = u64Or0(header, 72);
  const std::uint32_t count = std::min(u32Or0(header, 80), kMaxGptEntries);
  const std::uint32_t entrySize = u32Or0(header, 84);
  if (entrySize < 128 || entrySize > kMaxGptEntrySize || entrySize % 8 != 0 || count == 0) {
    return false;
  }
  const std::uint64_t bytes = std::uint64_t{count} * entrySize;
  const auto sectors = static_cast<std::uint32_t>((bytes + kSectorSize - 1) / kSectorSize);
  std::vector<std::byte> entries(std::size_t{sectors} * kSectorSize);
  if (!ReadSectors(opener, sectors, path, entriesLba, entries)) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = std::size_t{i} * entrySize;
    bool match = true;
    for (std::size_t k = 0; k < kDynamicDataType.size() && match; ++k) {
      match = std::to_integer<std::uint8_t>(entries[at + k]) == kDynamicDataType[k];
    }
    if (match) return true;
  }
  return false;
}

}  // namespace

bool holdsDynamicDiskPartition(RawDeviceOpener& opener, std::string_view diskPath) {
  std::vector<std::byte> mbr(kSectorSize);
  if (!ReadSectors(opener, 1, diskPath, 0, mbr)) return false;
  if (u8Or0(mbr, 510) != 0x55 || u8Or0(mbr, 511) != 0xAA) return false;
  bool protective = false;
  for (std::size_t e = 0; e < 4; ++e) {
    const std::uint8_t type = u8Or0(mbr, 446 + e * 16 + 4);
    if (type == kMbrDynamic) return true;
    protective = protective || type == kMbrProtective;
  }
  return protective && gptHoldsDynamic(opener, diskPath);
}

}  // namespace quendrix::storage
