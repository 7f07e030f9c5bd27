#pragma once

#include <filesystem>

namespace quendrix::platform {

// Where the kernel's and udev's views of the system are found; tests point them at a fake tree.
struct SystemRoots {
  std::filesystem::path sys = "/sys";
  std::filesystem::path proc = "/proc";
  std::filesystem::path runUdev = "/run/udev";
  std::filesystem::path dev = "/dev";
};

}  // namespace quendrix::platform
