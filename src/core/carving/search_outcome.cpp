#include "carving/search_outcome.hpp"

namespace quendrix::carving {

void SearchOutcome::count(PassKind pass, std::string_view extension) {
  for (auto& t : tallies) {
    if (t.pass == pass && t.extension == extension) {
      ++t.files;
      return;
    }
  }
  tallies.push_back({pass, std::string(extension), 1});
}

}  // namespace quendrix::carving
