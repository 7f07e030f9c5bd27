#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "storage/raw_device.hpp"

namespace quendrix::test {

// A disk image seen through byte patches, without copying it: a fixture file (or an image
// of zeros) with changed bytes laid over it. Opening any path gives a device over it.
class PatchedImage final : public storage::RawDeviceOpener {
 public:
  explicit PatchedImage(std::filesystem::path base);
  explicit PatchedImage(std::uint64_t zeroBytes);

  PatchedImage& bytes(std::uint64_t offset, std::string_view data);
  PatchedImage& u8(std::uint64_t offset, std::uint8_t v);
  PatchedImage& u32(std::uint64_t offset, std::uint32_t v);
  PatchedImage& u64(std::uint64_t offset, std::uint64_t v);
  // 0x55 0xAA at the end of a sector.
  PatchedImage& signature(std::uint64_t sector);
  // Partition table entry i (0 to 3) of the boot record at a sector.
  PatchedImage& entry(std::uint64_t sector, int i, std::uint8_t type, std::uint32_t first,
                      std::uint32_t count);

  std::uint64_t size() const { return size_; }
  std::unique_ptr<storage::RawDevice> open(std::string_view path) override;

 private:
  friend class PatchedDevice;
  std::filesystem::path base_;
  std::uint64_t size_ = 0;
  std::map<std::uint64_t, std::uint8_t> patches_;
};

}  // namespace quendrix::test
