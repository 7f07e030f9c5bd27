#include "fake_sysfs.hpp"

namespace quendrix::test {
namespace fs = std::filesystem;

void FakeSystem::write(const fs::path& relative, const std::string& text) {
  const fs::path file = dir_.path() / relative;
  fs::create_directories(file.parent_path());
  writeFile(file, text + "\n");
}

void FakeSystem::symlink(const fs::path& target, const fs::path& relativeLink) {
  const fs::path link = dir_.path() / relativeLink;
  fs::create_directories(link.parent_path());
  fs::create_symlink(target, link);
}

fs::path FakeSystem::addDisk(const std::string& name, const std::string& parentDevice,
                             const Attributes& blockAttributes,
                             const Attributes& deviceAttributes) {
  const fs::path device = fs::path("sys/devices") / parentDevice;
  const fs::path block = device / "block" / name;
  fs::create_directories(dir_.path() / block);
  for (const auto& [key, value] : blockAttributes) write(block / key, value);
  for (const auto& [key, value] : deviceAttributes) write(device / key, value);
  fs::create_symlink(dir_.path() / device, dir_.path() / block / "device");
  symlink(dir_.path() / block, fs::path("sys/block") / name);
  return dir_.path() / block;
}

void FakeSystem::addPartition(const fs::path& diskFolder, const std::string& name,
                              std::uint64_t start, std::uint64_t size) {
  const fs::path folder = diskFolder / name;
  fs::create_directories(folder);
  writeFile(folder / "partition", "1\n");
  writeFile(folder / "start", std::to_string(start) + "\n");
  writeFile(folder / "size", std::to_string(size) + "\n");
  linkClassBlock(folder, name);
}

void FakeSystem::linkClassBlock(const fs::path& folder, const std::string& name) {
  symlink(folder, fs::path("sys/class/block") / name);
}

void FakeSystem::addDevNumber(const std::string& majorMinor, const std::string& name) {
  write(fs::path("sys/dev/block") / majorMinor / "uevent", "MAJOR=0\nDEVNAME=" + name);
}

void FakeSystem::addUdev(const std::string& majorMinor, const Attributes& properties) {
  std::string text;
  for (const auto& [key, value] : properties) text += "E:" + key + "=" + value + "\n";
  text += "G:systemd";
  write(fs::path("run-udev/data") / ("b" + majorMinor), text);
}

}  // namespace quendrix::test
