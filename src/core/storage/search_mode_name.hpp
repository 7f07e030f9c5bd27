#pragma once

#include <string>

#include "search_mode.hpp"

namespace quendrix::storage {

// "Basic Search", "Deep Search", "Photo Search", "Video Search" or "Signature Search"; empty
// when no search is chosen.
std::string searchModeName(SearchMode mode);

}  // namespace quendrix::storage
