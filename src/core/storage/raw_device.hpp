#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quendrix::storage {

// One open, read-only handle on a disk, a partition or an image file. The platform layer
// supplies the implementations; the core never writes to a source.
class RawDevice {
 public:
  virtual ~RawDevice() = default;

  // Reads up to out.size() bytes at the byte position. Returns the number of bytes the
  // device delivered (fewer at its end, 0 beyond it), or nullopt when the read failed.
  virtual std::optional<std::size_t> readAt(std::uint64_t byteOffset, std::span<std::byte> out) = 0;

  // The device's exact size in bytes, when the platform can tell it.
  virtual std::optional<std::uint64_t> sizeBytes() const = 0;
};

// Opens device paths read-only. This is the replaceable reader: the direct method on Linux;
// another platform may put its own way of reading disks behind it.
class RawDeviceOpener {
 public:
  virtual ~RawDeviceOpener() = default;
  virtual std::unique_ptr<RawDevice> open(std::string_view path) = 0;
};

}  // namespace quendrix::storage
