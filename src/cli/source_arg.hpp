#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli_context.hpp"
#include "storage/device_path_table.hpp"

namespace quendrix::cli {

// The disks of this machine as numbered for "disk:N".
storage::DevicePathTable platformDiskTable();

struct ResolvedSource {
  std::string path;
  std::uint64_t totalSectors = 0;  // exact size / 512
};

// Resolves SOURCE (image file, block device or disk:N) and opens it once to learn its size.
// Prints the reason and returns nullopt when it cannot.
std::optional<ResolvedSource> resolveSource(CliContext& ctx, const std::string& text);

}  // namespace quendrix::cli
