#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "storage/media_removed.hpp"
#include "carving/carving_engine.hpp"
#include "carving/search_outcome.hpp"
#include "cli_context.hpp"
#include "progress_display.hpp"
#include "source_arg.hpp"

namespace quendrix::cli {

// The options every carving command shares.
struct CarvingOptions {
  std::string source;
  std::string destination;
  std::optional<std::uint64_t> start;
  std::optional<std::uint64_t> end;
  std::string onReadError = "skip";
};

void addCarvingOptions(CLI::App& cmd, CarvingOptions& options);

// A file-size limit must show as a failed write, which the search reports, rather than end
// the process.
void ignoreFileSizeSignal();

// skip: the failed block is searched as zeros; retry: read it again, every time, without
// asking; cancel: end the search.
storage::MediaRemovedChoice readErrorChoice(const std::string& option);

// The source and its sector range: start defaults to 0 and end (exclusive) to the source's
// sector count. Prints the reason and returns nullopt when the range goes past the source.
struct CarvingRange {
  ResolvedSource source;
  std::uint64_t start = 0;
  std::uint64_t end = 0;
};
std::optional<CarvingRange> resolveCarvingRange(CliContext& ctx, const CarvingOptions& options);

// What a carving command hands its search: progress on stderr with the sector position, the
// --on-read-error choice, and the output-failure message. Also ignores the file-size signal.
class CarvingRun {
 public:
  CarvingRun(CliContext& ctx, const CarvingOptions& options, const CarvingRange& range);
  carving::CarvingServices services();
  ProgressDisplay& progress() { return progress_; }

 private:
  CliContext& ctx_;
  ProgressDisplay progress_;
  storage::FixedMediaRemovedDecision decision_;
};

// Prints files per pass and extension, where they are, and how the search ended; returns the
// exit code: 130 when stopped by the user, 1 when the output failed or a step faulted.
int reportOutcome(CliContext& ctx, const carving::SearchOutcome& outcome, const std::string& title);

}  // namespace quendrix::cli
