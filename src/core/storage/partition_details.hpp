#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/disk_partition_table.hpp"
#include "storage/partition_record.hpp"

namespace quendrix::storage {

// One line of a partition's information panel: the caption and its value.
struct PartitionDetailRow {
  std::string caption;
  std::string value;
};

// The seven rows that describe a listed partition. diskName is the disk's "DiskN" and
// modeName the name of the search being run ("Photo Search", ...).
std::vector<PartitionDetailRow> partitionDetailRows(std::string_view diskName,
                                                    const PartitionRecord& partition,
                                                    std::string_view modeName);

// What the panel is headed with after a partition scan: partition 1's label, or
// "Unknown Partition" when the disk has none.
std::string firstPartitionHeading(const DiskPartitionTable& table);

}  // namespace quendrix::storage
