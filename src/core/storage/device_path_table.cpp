#include "storage/device_path_table.hpp"

namespace quendrix::storage {

DevicePathTable::DevicePathTable(const std::vector<std::string>& platformDisks,
                                 const std::vector<std::string>& imageFiles) {
  for (const auto& p : platformDisks) add(p);
  for (const auto& p : imageFiles) add(p);
}

std::optional<std::string> DevicePathTable::path(std::size_t diskNumber) const {
  if (diskNumber >= count_) return std::nullopt;
  return paths_[diskNumber];
}

std::optional<std::size_t> DevicePathTable::numberOf(std::string_view path) const {
  for (std::size_t i = 0; i < count_; ++i) {
    if (paths_[i] == path) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> DevicePathTable::add(std::string path) {
  if (auto existing = numberOf(path)) return existing;
  if (count_ >= kMaxDisks) return std::nullopt;
  paths_[count_] = std::move(path);
  return count_++;
}

}  // namespace quendrix::storage
