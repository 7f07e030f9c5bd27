#pragma once

#include <string>
#include <vector>

#include "storage/device_path_table.hpp"
#include "storage/raw_device.hpp"
#include "storage/volume_provider.hpp"
#include "system_roots.hpp"

namespace quendrix::platform {

// The mounted block devices of /proc/self/mountinfo (each device once, at its first mount of
// the whole file system), leaving out optical (sr*) and floppy (fd*) drives. The root path is
// the mount point; label, serial and file-system name come from the superblock; the extent
// from sysfs, on the disk numbered as in the given table.
class LinuxVolumeProvider final : public storage::VolumeProvider {
 public:
  LinuxVolumeProvider(SystemRoots roots, storage::DevicePathTable disks,
                      storage::RawDeviceOpener& opener);

  std::vector<storage::VolumeFacts> volumes() override;

 private:
  std::optional<storage::VolumeExtent> extentOf(const std::string& name,
                                                std::string& diskPath) const;

  SystemRoots roots_;
  storage::DevicePathTable disks_;
  storage::RawDeviceOpener& opener_;
};

}  // namespace quendrix::platform
