#include "sysfs_text.hpp"

#include <charconv>
#include <fstream>

#include "storage/text_trim.hpp"

namespace quendrix::platform {

std::string readAttribute(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return "";
  return storage::trimmed(line);
}

std::optional<std::uint64_t> readNumberAttribute(const std::filesystem::path& file) {
  const std::string text = readAttribute(file);
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::map<std::string, std::string> readUdevProperties(const std::filesystem::path& runUdev,
                                                      const std::string& majorMinor) {
  std::map<std::string, std::string> props;
  if (majorMinor.empty()) return props;
  std::ifstream in(runUdev / "data" / ("b" + majorMinor));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.starts_with("E:")) continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    props[line.substr(2, eq - 2)] = line.substr(eq + 1);
  }
  return props;
}

}  // namespace quendrix::platform
