#include "storage/partition_details.hpp"

#include "storage/size_text.hpp"

namespace quendrix::storage {

std::vector<PartitionDetailRow> partitionDetailRows(std::string_view diskName,
                                                    const PartitionRecord& partition,
                                                    std::string_view modeName) {
  return {
      {"1. Disk Number : ", std::string(diskName)},
      {"2. Partition Number : ", std::to_string(partition.number)},
      {"3. Partition Type : ", partition.typeName},
      {"4. Search Mode : ", std::string(modeName)},
      {"5. Start Sector : ", std::to_string(partition.start)},
      {"6. End Sector : ", std::to_string(partition.end)},
      {"7. Size : ", sizeText(sectorToByte(partition.sectorCount()))},
  };
}

std::string firstPartitionHeading(const DiskPartitionTable& table) {
  const PartitionRecord* first = table.firstPartition();
  if (first == nullptr || first->typeName.empty()) return "Unknown Partition";
  return first->label;
}

}  // namespace quendrix::storage
