#include "carving/search_checks.hpp"

#include "carving/output_names.hpp"
#include "carving/signature_record.hpp"

namespace quendrix::carving {

std::optional<std::string> checkPhotoRange(std::uint64_t start, std::uint64_t end) {
  if (end == 0 || end - 1 <= start) return std::string(kEndSectorMessage);
  return std::nullopt;
}

std::optional<std::string> checkFileTypeRange(std::uint64_t start, std::uint64_t end) {
  if (end == 0 || start >= end) return std::string(kEndSectorMessage);
  return std::nullopt;
}

std::optional<std::string> checkDestination(std::string_view typed) {
  const std::string_view trimmed = trimSpace(typed);
  std::error_code ec;
  if (trimmed.empty() || !std::filesystem::is_directory(std::filesystem::path(trimmed), ec)) {
    return std::string(kDestinationMessage);
  }
  return std::nullopt;
}

std::filesystem::path createSearchRoot(const std::filesystem::path& destination,
                                       std::string_view modeFolder) {
  std::error_code ec;
  std::filesystem::create_directory(destination / kProductFolder, ec);
  const auto root = searchRoot(destination, modeFolder);
  std::filesystem::create_directory(root, ec);
  return root;
}

}  // namespace quendrix::carving
