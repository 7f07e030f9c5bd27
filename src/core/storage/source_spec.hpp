#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "storage/device_path_table.hpp"

namespace quendrix::storage {

// What the user names as a source: an image file, a block device, or "disk:N".
struct SourceSpec {
  std::optional<std::size_t> diskNumber;  // set for "disk:N"
  std::string path;                       // set otherwise
};

// Parses the text; nullopt for "disk:" with no valid number.
std::optional<SourceSpec> parseSourceSpec(std::string_view text);

// The device path a source names, through the table for "disk:N".
std::optional<std::string> resolveSourcePath(const SourceSpec& named, const DevicePathTable& table);

}  // namespace quendrix::storage
