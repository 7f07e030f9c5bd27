#pragma once

#include <optional>
#include <string>

namespace quendrix::platform {

// What libblkid reads from a file system's superblock.
struct ProbedFileSystem {
  std::string type;     // "vfat", "ntfs", "ext4", ...
  std::string version;  // "FAT32", ...
  std::string label;
  std::string uuid;
};

// Probes a block device or image file read-only; nullopt when it cannot be opened or holds
// no known file system.
std::optional<ProbedFileSystem> probeFileSystem(const std::string& path);

}  // namespace quendrix::platform
