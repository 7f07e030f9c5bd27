#include "storage/partition_record.hpp"

namespace quendrix::storage {

std::string_view originName(PartitionOrigin origin) {
  switch (origin) {
    case PartitionOrigin::MasterBootRecord:
      return "mbr";
    case PartitionOrigin::ExtendedBootRecord:
      return "ebr";
    case PartitionOrigin::Gpt:
      return "gpt";
    case PartitionOrigin::Search:
      return "search";
  }
  return {};
}

std::string partitionLabel(std::uint32_t number, std::string_view typeName) {
  std::string label = "Partition - " + std::to_string(number) + " ( ";
  label += typeName;
  label += " )";
  return label;
}

}  // namespace quendrix::storage
