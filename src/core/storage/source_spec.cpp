#include "storage/source_spec.hpp"

#include <charconv>

namespace quendrix::storage {

std::optional<SourceSpec> parseSourceSpec(std::string_view text) {
  constexpr std::string_view kDiskPrefix = "disk:";
  if (text.empty()) return std::nullopt;
  if (text.substr(0, kDiskPrefix.size()) == kDiskPrefix) {
    auto digits = text.substr(kDiskPrefix.size());
    std::size_t n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() ||
        n >= DevicePathTable::kMaxDisks) {
      return std::nullopt;
    }
    return SourceSpec{n, {}};
  }
  return SourceSpec{std::nullopt, std::string(text)};
}

std::optional<std::string> resolveSourcePath(const SourceSpec& named,
                                             const DevicePathTable& table) {
  if (named.diskNumber) return table.path(*named.diskNumber);
  return named.path;
}

}  // namespace quendrix::storage
