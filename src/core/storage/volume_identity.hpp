#pragma once

#include <string>
#include <string_view>

namespace quendrix::storage {

// The file-system name shown for a volume, from the prober's type and version: "vfat" is
// "FAT32" or "FAT16" by its version ("FAT12" stays "FAT12", no version
// gives "FAT"), "ntfs" and "ntfs3" are "NTFS",
// "exfat" is "exFAT"; other types are shown as probed, an empty type as empty.
std::string fileSystemName(std::string_view probedType, std::string_view probedVersion);

// The volume serial number as upper-case hex ("%X" of the 32-bit serial): FAT's "1234-ABCD"
// gives "1234ABCD"; an NTFS serial keeps its low 32 bits. Identifiers of other file systems
// are shown as probed.
std::string volumeSerialText(std::string_view probedType, std::string_view uuid);

}  // namespace quendrix::storage
