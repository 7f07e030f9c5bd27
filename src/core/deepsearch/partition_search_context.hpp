#pragma once

#include <stop_token>

#include "diagnostics/error_guard.hpp"
#include "progress_sink.hpp"
#include "search_mode.hpp"
#include "storage/raw_device.hpp"

namespace quendrix::deepsearch {

// What a partition search runs with: where it reads, where it reports its progress and its
// faults, when to stop, and the search it runs for (named in error reports).
struct PartitionSearchContext {
  storage::RawDeviceOpener& opener;
  ProgressSink& progress;
  std::stop_token stop;
  diagnostics::ErrorReporter& reporter;
  SearchMode searchMode = SearchMode::None;
};

}  // namespace quendrix::deepsearch
