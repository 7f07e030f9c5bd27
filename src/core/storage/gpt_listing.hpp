#pragma once

#include <string_view>

#include "storage/disk_partition_table.hpp"
#include "storage/raw_device.hpp"

namespace quendrix::storage {

// Lists the partitions of the GPT entry array in sectors 2 to 33 (four 128-byte entries a
// sector; the header's own description of the array is not used). Microsoft reserved entries
// are passed over, the first entry with last LBA 0 ends the array, and only entries whose
// boot sector names FAT32, FAT16 or NTFS are listed.
void listGptPartitions(RawDeviceOpener& opener, std::string_view devicePath,
                       DiskPartitionTable& table);

}  // namespace quendrix::storage
