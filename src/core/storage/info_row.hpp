#pragma once

#include <string>
#include <vector>

namespace quendrix::storage {

// One line of a window's information list: the caption and its value.
struct InfoRow {
  std::string caption;
  std::string value;
  bool operator==(const InfoRow&) const = default;
};

using InfoRows = std::vector<InfoRow>;

}  // namespace quendrix::storage
