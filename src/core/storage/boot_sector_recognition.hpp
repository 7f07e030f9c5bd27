#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quendrix::storage {

// The file systems a partition is listed with.
enum class FileSystemKind { Fat16, Fat32, Ntfs };

// "FAT16", "FAT32" or "NTFS".
std::string_view typeName(FileSystemKind kind);
std::optional<FileSystemKind> kindFromTypeName(std::string_view name);

// What the first sector of a partition says it is, by the names its boot sector carries:
// "FAT32" at 82, then "FAT16" at 54, then "NTFS" at 3, then (when asked) "EFI" at 0, the
// start of a GPT header behind a protective master boot record.
enum class BootSectorMatch { None, Fat32, Fat16, Ntfs, GptHeader };
BootSectorMatch recognizeBootSector(std::span<const std::byte> sector, bool allowGptHeader);
std::optional<FileSystemKind> kindOf(BootSectorMatch match);

// Bytes 510 and 511 hold 0x55 0xAA.
bool hasBootSignature(std::span<const std::byte> sector);

// "EXFAT   " at offset 3: an exFAT volume, which shares partition type 7 with NTFS.
bool saysExfat(std::span<const std::byte> sector);

// Sector 0 of a volume rather than of a partitioned disk: a FAT, NTFS or exFAT boot sector.
bool looksLikeVolumeBootSector(std::span<const std::byte> sector);

// When a partition's boot sector names no file system, its type byte decides. A primary
// entry: 7 NTFS; 4, 6, 0x0E FAT16; 0x0B, 0x0C FAT32. A logical entry also takes 1 as FAT16.
std::optional<FileSystemKind> primaryTypeFallback(std::uint8_t partitionType);
std::optional<FileSystemKind> logicalTypeFallback(std::uint8_t partitionType);

// 5 and 0x0F mark an extended partition.
bool isExtendedType(std::uint8_t partitionType);

// The sector count a FAT boot sector gives its volume: the 16-bit field at 0x13, or when that
// is 0 (volumes of 65,536 sectors and more) the 32-bit field at 0x20.
std::uint32_t fatTotalSectors(std::span<const std::byte> sector);
// The low 32 bits of the 64-bit sector count at 0x28 of an NTFS boot sector.
std::uint32_t ntfsTotalSectors(std::span<const std::byte> sector);

}  // namespace quendrix::storage
