#pragma once

namespace quendrix::deepsearch {

// How a whole disk is searched for partitions: Standard reads the start of every cylinder,
// Advanced every sector. The numbers are the program's own.
enum class PartitionSearchMode : int {
  None = 0,
  Standard = 5,
  Advanced = 10,
};

}  // namespace quendrix::deepsearch
