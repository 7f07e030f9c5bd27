#include "storage/boot_sector_recognition.hpp"

#include <algorithm>
#include <string_view>

#include "storage/little_endian.hpp"

namespace quendrix::storage {
namespace {

bool hasText(std::span<const std::byte> sector, std::size_t offset, std::string_view text) {
  if (offset > sector.size() || sector.size() - offset < text.size()) return false;
  return std::equal(text.begin(), text.end(), sector.begin() + static_cast<std::ptrdiff_t>(offset),
                    [](char c, std::byte b) {
                      return static_cast<unsigned char>(c) == std::to_integer<unsigned char>(b);
                    });
}

}  // namespace

std::string_view typeName(FileSystemKind kind) {
  switch (kind) {
    case FileSystemKind::Fat16:
      return "FAT16";
    case FileSystemKind::Fat32:
      return "FAT32";
    case FileSystemKind::Ntfs:
      return "NTFS";
  }
  return {};
}

std::optional<FileSystemKind> kindFromTypeName(std::string_view name) {
  for (auto kind : {FileSystemKind::Fat16, FileSystemKind::Fat32, FileSystemKind::Ntfs}) {
    if (typeName(kind) == name) return kind;
  }
  return std::nullopt;
}

BootSectorMatch recognizeBootSector(std::span<const std::byte> sector, bool allowGptHeader) {
  if (hasText(sector, 82, "FAT32")) return BootSectorMatch::Fat32;
  if (hasText(sector, 54, "FAT16")) return BootSectorMatch::Fat16;
  if (hasText(sector, 3, "NTFS")) return BootSectorMatch::Ntfs;
  if (allowGptHeader && hasText(sector, 0, "EFI")) return BootSectorMatch::GptHeader;
  return BootSectorMatch::None;
}

std::optional<FileSystemKind> kindOf(BootSectorMatch match) {
  switch (match) {
    case BootSectorMatch::Fat32:
      return FileSystemKind::Fat32;
    case BootSectorMatch::Fat16:
      return FileSystemKind::Fat16;
    case BootSectorMatch::Ntfs:
      return FileSystemKind::Ntfs;
    default:
      return std::nullopt;
  }
}

bool hasBootSignature(std::span<const std::byte> sector) {
  return u8Or0(sector, 510) == 0x55 && u8Or0(sector, 511) == 0xAA;
}

bool saysExfat(std::span<const std::byte> sector) {
  return hasText(sector, 3, "EXFAT   ");
}

bool looksLikeVolumeBootSector(std::span<const std::byte> sector) {
  if (!hasBootSignature(sector)) return false;
  return recognizeBootSector(sector, false) != BootSectorMatch::None || saysExfat(sector) ||
         hasText(sector, 54, "FAT12");
}

std::optional<FileSystemKind> primaryTypeFallback(std::uint8_t partitionType) {
  switch (partitionType) {
    case 0x07:
      return FileSystemKind::Ntfs;
    case 0x04:
    case 0x06:
    case 0x0E:
      return FileSystemKind::Fat16;
    case 0x0B:
    case 0x0C:
      return FileSystemKind::Fat32;
    default:
      return std::nullopt;
  }
}

std::optional<FileSystemKind> logicalTypeFallback(std::uint8_t partitionType) {
  if (partitionType == 0x01) return FileSystemKind::Fat16;
  return primaryTypeFallback(partitionType);
}

bool isExtendedType(std::uint8_t partitionType) {
  return partitionType == 0x05 || partitionType == 0x0F;
}

std::uint32_t fatTotalSectors(std::span<const std::byte> sector) {
  const std::uint16_t small = u16Or0(sector, 0x13);
  return small != 0 ? small : u32Or0(sector, 0x20);
}

std::uint32_t ntfsTotalSectors(std::span<const std::byte> sector) {
  return static_cast<std::uint32_t>(u64Or0(sector, 0x28));
}

}  // namespace quendrix::storage
