#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "storage/raw_device.hpp"
#include "storage/sector.hpp"

namespace quendrix::storage {

// The long scans keep one handle open for the whole scan and read sequentially in whole
// sectors, 512 sectors (256 KiB) a block unless told otherwise.
inline constexpr std::uint32_t kDefaultBlockSectors = 512;
inline constexpr std::size_t kDefaultBlockBytes = kDefaultBlockSectors * kSectorSize;

class ScanReader {
 public:
  explicit ScanReader(std::unique_ptr<RawDevice> device) : device_(std::move(device)) {}

  // Opens the path once; returns nullptr when it cannot be opened.
  static std::unique_ptr<ScanReader> open(RawDeviceOpener& opener, std::string_view path);

  // Reads buffer.size() / 512 whole sectors from firstSector. Returns the number of bytes
  // delivered (a multiple of 512 is asked for; the tail past the device end is zero-filled
  // and not counted), or nullopt when the read failed.
  std::optional<std::size_t> read(SectorNumber firstSector, std::span<std::byte> buffer);

  std::optional<std::uint64_t> sizeBytes() const { return device_->sizeBytes(); }
  RawDevice& device() { return *device_; }

 private:
  std::unique_ptr<RawDevice> device_;
};

}  // namespace quendrix::storage
