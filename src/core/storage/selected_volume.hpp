#pragma once

#include <string>

#include "storage/sector.hpp"

namespace quendrix::storage {

// The area a search works on when it was chosen as a logical volume rather than from a
// disk's partitions: its file-system type name and its start and end sector.
struct SelectedVolume {
  std::string typeName;
  SectorNumber start = 0;
  SectorNumber end = 0;
};

}  // namespace quendrix::storage
