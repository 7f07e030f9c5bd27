#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::storage {

// Disk numbers 0 to 25 and the device path behind each: first the disks the platform
// reports, in its stable order, then the disk-image files the user names. Image files are
// disks like any other.
class DevicePathTable {
 public:
  static constexpr std::size_t kMaxDisks = 26;

  DevicePathTable() = default;
  DevicePathTable(const std::vector<std::string>& platformDisks,
                  const std::vector<std::string>& imageFiles);

  // The path of a disk number, or nullopt when the number is out of range or unused.
  std::optional<std::string> path(std::size_t diskNumber) const;
  // The number under which a path is listed.
  std::optional<std::size_t> numberOf(std::string_view path) const;
  // Appends a path at the next free number; returns that number, or nullopt when full.
  std::optional<std::size_t> add(std::string path);
  std::size_t size() const { return count_; }

 private:
  std::array<std::string, kMaxDisks> paths_{};
  std::size_t count_ = 0;
};

}  // namespace quendrix::storage
