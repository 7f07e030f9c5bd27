#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quendrix::platform {

// Whole disks the kernel reports under sysBlock (normally /sys/block), as /dev paths in a
// stable order: sd*, nvme*n*, mmcblk*, vd*, and loop devices that have a backing file.
// Partitions, ram and zram devices and unbacked loop devices are left out.
std::vector<std::string> listDiskPaths(const std::filesystem::path& sysBlock = "/sys/block",
                                       const std::filesystem::path& devDir = "/dev");

// Whether a /sys/block entry name is a whole disk of a kind we list (loop devices also need a
// backing file, which the caller checks).
bool isListedDiskName(const std::string& name);

}  // namespace quendrix::platform
