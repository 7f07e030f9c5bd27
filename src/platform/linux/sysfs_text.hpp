#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace quendrix::platform {

// The first line of a small attribute file, trimmed; empty when it cannot be read.
std::string readAttribute(const std::filesystem::path& file);

// An attribute holding a decimal number.
std::optional<std::uint64_t> readNumberAttribute(const std::filesystem::path& file);

// udev's stored properties of a block device (the "E:KEY=VALUE" lines of
// runUdev/data/b<major>:<minor>); empty when udev keeps none.
std::map<std::string, std::string> readUdevProperties(const std::filesystem::path& runUdev,
                                                      const std::string& majorMinor);

}  // namespace quendrix::platform
