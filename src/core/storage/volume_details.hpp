#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search_mode.hpp"
#include "storage/disk_record.hpp"
#include "storage/info_row.hpp"
#include "storage/volume_provider.hpp"

namespace quendrix::storage {

// "/media/me/PHOTOS (7.45 GB - PHOTOS - FAT32)"; a total of 0 shows as "Unknown Size ".
std::string volumeLabel(std::string_view rootPath, std::uint64_t totalBytes,
                        std::string_view volumeLabel, std::string_view fileSystem);

// The record of a volume item. An empty file-system name becomes "Unknown"; unreadable space
// gives the free text "Unknown Size ". Without an extent, disk number and sectors stay 0.
DiskRecord makeVolumeRecord(const VolumeFacts& facts, SearchMode mode);

// "path|total sectors", one line of the volume list.
std::string volumeListLine(const DiskRecord& volume);

// The nine information rows of a volume item.
InfoRows volumeInfoRows(const DiskRecord& volume);

}  // namespace quendrix::storage
