#include "mountinfo.hpp"

#include <sstream>

namespace quendrix::platform {
namespace {

std::string unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && field.size() - i >= 4) {
      const std::string digits = field.substr(i + 1, 3);
      if (digits.find_first_not_of("01234567") == std::string::npos) {
        out += static_cast<char>(std::stoi(digits, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> parts;
    std::string field;
    while (fields >> field) parts.push_back(field);
    // id parent major:minor root mount-point options [optional...] - type source super-options
    std::size_t dash = 6;
    while (dash < parts.size() && parts[dash] != "-") ++dash;
    if (parts.size() < 6 || dash + 2 >= parts.size()) continue;
    entries.push_back(MountEntry{parts[2], unescape(parts[3]), unescape(parts[4]), parts[dash + 1],
                                 unescape(parts[dash + 2])});
  }
  return entries;
}

}  // namespace quendrix::platform
