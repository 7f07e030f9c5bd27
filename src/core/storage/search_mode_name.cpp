#include "storage/search_mode_name.hpp"

namespace quendrix::storage {

std::string searchModeName(SearchMode mode) {
  switch (mode) {
    case SearchMode::Basic:
      return "Basic Search";
    case SearchMode::Deep:
      return "Deep Search";
    case SearchMode::Photo:
      return "Photo Search";
    case SearchMode::Video:
      return "Video Search";
    case SearchMode::Signature:
      return "Signature Search";
    default:
      return "";
  }
}

}  // namespace quendrix::storage
