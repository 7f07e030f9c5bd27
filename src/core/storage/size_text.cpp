#include "storage/size_text.hpp"

#include <cstdio>

namespace quendrix::storage {

std::string sizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " Byte";
  constexpr const char* kUnits = "KMGTPEZY";
  // The unit is the first one in which the count, in the unit below, is under 2^20. The value
  // printed is the exact quotient: rounding at every step would drift (7.46 GB for 7.4545).
  std::uint64_t v = bytes;
  double divisor = 1024.0;
  for (const char* unit = kUnits; *unit != '\0'; ++unit) {
    if (v < (std::uint64_t{1} << 20) || unit[1] == '\0') {
      char text[32];
      std::snprintf(text, sizeof text, "%6.2f %cB", static_cast<double>(bytes) / divisor, *unit);
      return text;
    }
    v /= 1024;
    divisor *= 1024.0;
  }
  return {};
}

std::string trimmedSizeText(std::uint64_t bytes) {
  std::string text = sizeText(bytes);
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace quendrix::storage
