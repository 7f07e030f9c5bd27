#include "linux_volume_provider.hpp"

#include <sys/statvfs.h>

#include <fstream>
#include <set>
#include <sstream>

#include "blkid_probe.hpp"
#include "mountinfo.hpp"
#include "storage/dynamic_disk.hpp"
#include "storage/volume_identity.hpp"
#include "sysfs_text.hpp"

namespace quendrix::platform {
namespace fs = std::filesystem;

namespace {

// The kernel name of the block device major:minor, "" when there is none.
std::string blockDeviceName(const fs::path& sys, const std::string& majorMinor) {
  std::ifstream in(sys / "dev" / "block" / majorMinor / "uevent");
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("DEVNAME=")) return fs::path(line.substr(8)).filename().string();
  }
  return "";
}

std::optional<storage::VolumeSpace> spaceOf(const std::string& mountPoint) {
  struct statvfs st {};
  if (::statvfs(mountPoint.c_str(), &st) != 0) return std::nullopt;
  return storage::VolumeSpace{std::uint64_t{st.f_blocks} * st.f_frsize,
                              std::uint64_t{st.f_bfree} * st.f_frsize};
}

}  // namespace

LinuxVolumeProvider::LinuxVolumeProvider(SystemRoots roots, storage::DevicePathTable disks,
                                         storage::RawDeviceOpener& opener)
    : roots_(std::move(roots)), disks_(std::move(disks)), opener_(opener) {}

std::optional<storage::VolumeExtent> LinuxVolumeProvider::extentOf(const std::string& name,
                                                                   std::string& diskPath) const {
  const fs::path entry = roots_.sys / "class" / "block" / name;
  std::error_code ec;
  std::string parent = name;
  std::uint64_t start = 0;
  if (fs::exists(entry / "partition", ec)) {
    // A partition's folder sits inside its disk's folder.
    parent = fs::weakly_canonical(entry, ec).parent_path().filename().string();
    const auto first = readNumberAttribute(entry / "start");
    if (!first) return std::nullopt;
    start = *first;
  }
  const auto size = readNumberAttribute(entry / "size");
  if (!size) return std::nullopt;
  diskPath = (roots_.dev / parent).string();
  const auto number = disks_.numberOf(diskPath);
  if (!number) return std::nullopt;
  return storage::VolumeExtent{static_cast<std::uint32_t>(*number), start, *size};
}

std::vector<storage::VolumeFacts> LinuxVolumeProvider::volumes() {
  std::ifstream in(roots_.proc / "self" / "mountinfo");
  std::stringstream text;
  text << in.rdbuf();
  std::vector<storage::VolumeFacts> result;
  std::set<std::string> seen;
  for (const MountEntry& mount : parseMountInfo(text.str())) {
    if (mount.root != "/" || mount.majorMinor.starts_with("0:")) continue;
    const std::string name = blockDeviceName(roots_.sys, mount.majorMinor);
    if (name.empty() || name.starts_with("sr") || name.starts_with("fd")) continue;
    if (!seen.insert(mount.majorMinor).second) continue;

    storage::VolumeFacts v;
    v.rootPath = mount.mountPoint;
    v.devicePath = (roots_.dev / name).string();
    if (auto probed = probeFileSystem(v.devicePath)) {
      v.fileSystem = storage::fileSystemName(probed->type, probed->version);
      v.label = probed->label;
      v.serial = storage::volumeSerialText(probed->type, probed->uuid);
    } else {
      v.fileSystem = storage::fileSystemName(mount.fsType, "");
    }
    v.space = spaceOf(mount.mountPoint);
    std::string diskPath;
    v.extent = extentOf(name, diskPath);
    v.dynamic = v.extent && storage::holdsDynamicDiskPartition(opener_, diskPath);
    result.push_back(std::move(v));
  }
  return result;
}

}  // namespace quendrix::platform
