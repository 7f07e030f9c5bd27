#include "carving_cli.hpp"

#include <csignal>
#include <cstdio>
#include <ostream>

#include "carving/search_checks.hpp"

namespace quendrix::cli {

void addCarvingOptions(CLI::App& cmd, CarvingOptions& options) {
  cmd.add_option("SOURCE", options.source, "Image file, block device or disk:N")->required();
  cmd.add_option("--dest", options.destination, "Existing folder the recovered files go to")
      ->required();
  cmd.add_option("--start", options.start, "First sector (default 0)");
  cmd.add_option("--end", options.end, "End sector, exclusive (default: the source's size)");
  cmd.add_option("--on-read-error", options.onReadError,
                 "When a read fails: skip (search the block as zeros), retry, or cancel")
      ->check(CLI::IsMember({"skip", "retry", "cancel"}));
}

void ignoreFileSizeSignal() {
  std::signal(SIGXFSZ, SIG_IGN);
}

storage::MediaRemovedChoice readErrorChoice(const std::string& option) {
  if (option == "retry") return storage::MediaRemovedChoice::RetryAlways;
  if (option == "cancel") return storage::MediaRemovedChoice::Cancel;
  return storage::MediaRemovedChoice::Dismissed;
}

std::optional<CarvingRange> resolveCarvingRange(CliContext& ctx, const CarvingOptions& options) {
  auto source = resolveSource(ctx, options.source);
  if (!source) return std::nullopt;
  CarvingRange range{*source, options.start.value_or(0),
                     options.end.value_or(source->totalSectors)};
  if (range.end > source->totalSectors) {
    fail(ctx, kExitUsage,
         "the end sector " + std::to_string(range.end) + " lies beyond the source, which has " +
             std::to_string(source->totalSectors) + " sectors");
    return std::nullopt;
  }
  return range;
}

CarvingRun::CarvingRun(CliContext& ctx, const CarvingOptions& options, const CarvingRange& range)
    : ctx_(ctx),
      progress_(*ctx.err, ProgressDisplay::styleFor(ctx.quiet), 512, "files"),
      decision_(readErrorChoice(options.onReadError)) {
  ignoreFileSizeSignal();
  progress_.showSectorPosition(range.start, range.end);
}

carving::CarvingServices CarvingRun::services() {
  carving::CarvingServices services;
  services.opener = &ctx_.opener;
  services.progress = &progress_;
  services.mediaRemoved = &decision_;
  services.outputError = [this](std::string_view message) {
    progress_.finish();
    *ctx_.err << "quendrix: " << message << '\n';
  };
  return services;
}

int reportOutcome(CliContext& ctx, const carving::SearchOutcome& outcome,
                  const std::string& title) {
  std::ostream& out = *ctx.out;
  std::uint64_t total = 0;
  for (const auto& t : outcome.tallies) total += t.files;
  out << title << ": " << total << (total == 1 ? " file" : " files") << '\n';
  for (const auto& t : outcome.tallies) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-8s %-8s %10llu\n", carving::passFolderName(t.pass),
                  t.extension.c_str(), static_cast<unsigned long long>(t.files));
    out << line;
  }
  if (!outcome.root.empty()) out << "Saved under: " << outcome.root.string() << '\n';
  const bool byUser = ctx.stop.stop_requested();
  out << (outcome.stopped ? carving::kSearchStoppedMessage : carving::kSearchCompletedMessage)
      << '\n';
  if (outcome.outputFailed || outcome.faulted) return kExitFailure;
  if (byUser) return kExitInterrupted;
  return outcome.stopped ? kExitFailure : kExitOk;
}

}  // namespace quendrix::cli
