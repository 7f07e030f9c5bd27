#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quendrix::platform {

// One line of /proc/self/mountinfo.
struct MountEntry {
  std::string majorMinor;  // "8:17"
  std::string root;        // the folder of the file system mounted, "/" for all of it
  std::string mountPoint;  // octal escapes (\040 ...) decoded
  std::string fsType;
  std::string source;
};

// Parses the text of a mountinfo file; malformed lines are skipped.
std::vector<MountEntry> parseMountInfo(std::string_view text);

}  // namespace quendrix::platform
