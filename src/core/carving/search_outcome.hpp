#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "carving/carving_engine.hpp"

namespace quendrix::carving {

// Files of one extension carved in one pass.
struct CarvedTally {
  PassKind pass = PassKind::General;
  std::string extension;
  std::uint64_t files = 0;
};

// How a whole search (one or two passes) ended.
struct SearchOutcome {
  std::optional<std::string> refused;  // the search did not start: the message why
  std::optional<std::string> fatal;    // a signature file could not be opened: the message
  bool stopped = false;                // stop, cancel or output failure
  bool outputFailed = false;
  bool faulted = false;  // a fault ended a step; it has been reported
  PassResult general;
  PassResult omitted;
  std::filesystem::path root;        // where the passes wrote
  std::vector<CarvedTally> tallies;  // in order of first appearance

  void count(PassKind pass, std::string_view extension);
};

}  // namespace quendrix::carving
