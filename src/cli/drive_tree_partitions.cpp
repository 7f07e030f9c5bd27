#include "drive_tree_partitions.hpp"

#include "partition_output.hpp"
#include "storage/table_partition_lister.hpp"

namespace quendrix::cli {

std::unique_ptr<storage::PartitionLister> makePartitionLister(CliContext& ctx) {
  return std::make_unique<storage::TablePartitionLister>(ctx.opener, reporterOf(ctx));
}

}  // namespace quendrix::cli
