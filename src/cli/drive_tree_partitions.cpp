#include "drive_tree_partitions.hpp"

namespace quendrix::cli {

std::unique_ptr<storage::PartitionLister> makePartitionLister(CliContext&) {
  return std::make_unique<storage::NoPartitions>();
}

}  // namespace quendrix::cli
