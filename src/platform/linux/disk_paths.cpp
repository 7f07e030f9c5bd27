#include "disk_paths.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <system_error>

namespace quendrix::platform {
namespace {

bool hasBackingFile(const std::filesystem::path& entry) {
  std::ifstream in(entry / "loop" / "backing_file");
  std::string line;
  return in && std::getline(in, line) && !line.empty();
}

// Orders sda < sdb < ... < sdz < sdaa, and nvme0n1 < nvme0n2 < nvme1n1 by their numbers.
bool naturalLess(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (std::isdigit(static_cast<unsigned char>(a[i])) &&
        std::isdigit(static_cast<unsigned char>(b[j]))) {
      std::size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      const auto na = std::stoull(a.substr(i, ie - i));
      const auto nb = std::stoull(b.substr(j, je - j));
      if (na != nb) return na < nb;
      i = ie;
      j = je;
      continue;
    }
    if (a[i] != b[j]) {
      // Shorter letter runs first: sdz before sdaa.
      const bool aLetter = std::isalpha(static_cast<unsigned char>(a[i])) != 0;
      const bool bLetter = std::isalpha(static_cast<unsigned char>(b[j])) != 0;
      if (aLetter && bLetter) {
        std::size_t ie = i, je = j;
        while (ie < a.size() && std::isalpha(static_cast<unsigned char>(a[ie]))) ++ie;
        while (je < b.size() && std::isalpha(static_cast<unsigned char>(b[je]))) ++je;
        if (ie - i != je - j) return ie - i < je - j;
      }
      return a[i] < b[j];
    }
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

int kindRank(const std::string& name) {
  if (name.rfind("sd", 0) == 0) return 0;
  if (name.rfind("nvme", 0) == 0) return 1;
  if (name.rfind("mmcblk", 0) == 0) return 2;
  if (name.rfind("vd", 0) == 0) return 3;
  return 4;  // loop
}

}  // namespace

namespace {

// Consumes a run of characters of one class from the front; false when there is none.
template <typename Pred>
bool takeRun(std::string_view& s, Pred pred) {
  std::size_t n = 0;
  while (n < s.size() && pred(static_cast<unsigned char>(s[n]))) ++n;
  s.remove_prefix(n);
  return n > 0;
}

bool takePrefix(std::string_view& s, std::string_view prefix) {
  if (s.substr(0, prefix.size()) != prefix) return false;
  s.remove_prefix(prefix.size());
  return true;
}

bool isLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isListedDiskName(const std::string& name) {
  // sd<letters>, vd<letters>, nvme<n>n<m>, mmcblk<n>, loop<n>: whole disks, never partitions.
  std::string_view s = name;
  if (takePrefix(s, "sd") || takePrefix(s, "vd")) return takeRun(s, isLower) && s.empty();
  if (takePrefix(s, "nvme")) {
    return takeRun(s, isDigit) && takePrefix(s, "n") && takeRun(s, isDigit) && s.empty();
  }
  if (takePrefix(s, "mmcblk") || takePrefix(s, "loop")) return takeRun(s, isDigit) && s.empty();
  return false;
}

std::vector<std::string> listDiskPaths(const std::filesystem::path& sysBlock,
                                       const std::filesystem::path& devDir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sysBlock, ec)) {
    const std::string name = entry.path().filename().string();
    if (!isListedDiskName(name)) continue;
    if (name.rfind("loop", 0) == 0 && !hasBackingFile(entry.path())) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int ra = kindRank(a), rb = kindRank(b);
    if (ra != rb) return ra < rb;
    return naturalLess(a, b);
  });
  std::vector<std::string> paths;
  paths.reserve(names.size());
  for (const auto& n : names) paths.push_back((devDir / n).string());
  return paths;
}

}  // namespace quendrix::platform
