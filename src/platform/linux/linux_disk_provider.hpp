#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/device_path_table.hpp"
#include "storage/disk_provider.hpp"
#include "system_roots.hpp"

namespace quendrix::platform {

// The bus-type code of a whole disk, from its kernel name, its device path below
// /sys/devices and udev's properties: loop devices are file-backed, then USB, NVMe, SD/MMC
// (by the card's type), ATA (SATA on an AHCI controller or when udev says so) and virtio.
std::uint8_t busCodeOf(const std::string& name, const std::filesystem::path& devicePath,
                       const std::map<std::string, std::string>& udev);

// The disks of this machine: whole disks from sysfs in their stable order, then the image
// files the user names. Numbers are those of the device path table.
class LinuxDiskProvider final : public storage::DiskProvider {
 public:
  explicit LinuxDiskProvider(SystemRoots roots = {}, std::vector<std::string> imageFiles = {});

  std::vector<storage::DiskFacts> disks() override;
  std::string computerName() override;

  const storage::DevicePathTable& table() const { return table_; }

 private:
  storage::DiskFacts blockDiskFacts(std::uint32_t number, const std::string& path) const;
  storage::DiskFacts imageFacts(std::uint32_t number, const std::string& path) const;

  SystemRoots roots_;
  std::vector<std::string> imageFiles_;
  std::vector<std::string> systemDisks_;
  storage::DevicePathTable table_;
};

// A geometry of 255 heads and 63 sectors per track over the given size.
storage::DiskGeometry synthesizedGeometry(std::uint64_t sizeBytes, std::uint32_t bytesPerSector);

}  // namespace quendrix::platform
