#pragma once

#include <memory>
#include <string_view>

#include "storage/raw_device.hpp"

namespace quendrix::platform {

// Block devices and image files, opened O_RDONLY | O_CLOEXEC and read with pread.
class PosixDeviceOpener final : public storage::RawDeviceOpener {
 public:
  std::unique_ptr<storage::RawDevice> open(std::string_view path) override;
};

}  // namespace quendrix::platform
