#pragma once

#include <memory>

#include "cli_context.hpp"
#include "storage/partition_lister.hpp"

namespace quendrix::cli {

// The partition lister that fills the disks of the drive tree.
std::unique_ptr<storage::PartitionLister> makePartitionLister(CliContext& ctx);

}  // namespace quendrix::cli
