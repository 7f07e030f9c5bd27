#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "support/temp_dir.hpp"

namespace quendrix::test {

// Builds a small imitation of /sys, /proc, /run/udev and /dev in a temporary folder.
class FakeSystem {
 public:
  using Attributes = std::map<std::string, std::string>;

  std::filesystem::path sys() const { return dir_ / "sys"; }
  std::filesystem::path proc() const { return dir_ / "proc"; }
  std::filesystem::path runUdev() const { return dir_ / "run-udev"; }
  std::filesystem::path dev() const { return dir_ / "dev"; }
  std::filesystem::path path() const { return dir_.path(); }

  // A whole disk at sys/devices/<parentDevice>/block/<name>, with the attributes of its block
  // folder, and of its parent device (linked as "device"), and sys/block/<name> linking to it.
  std::filesystem::path addDisk(const std::string& name, const std::string& parentDevice,
                                const Attributes& blockAttributes,
                                const Attributes& deviceAttributes = {});
  // A partition folder inside a disk's folder, linked from sys/class/block.
  void addPartition(const std::filesystem::path& diskFolder, const std::string& name,
                    std::uint64_t start, std::uint64_t size);
  // sys/class/block/<name> for a whole disk.
  void linkClassBlock(const std::filesystem::path& folder, const std::string& name);
  // sys/dev/block/<majorMinor>/uevent naming the device.
  void addDevNumber(const std::string& majorMinor, const std::string& name);
  void addUdev(const std::string& majorMinor, const Attributes& properties);
  // Writes a file below the fake root, creating its folders.
  void write(const std::filesystem::path& relative, const std::string& text);
  void symlink(const std::filesystem::path& target, const std::filesystem::path& relativeLink);

 private:
  TempDir dir_;
};

}  // namespace quendrix::test
