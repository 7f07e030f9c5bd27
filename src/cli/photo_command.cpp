#include <ostream>

#include "carving/photo_search.hpp"
#include "carving/search_checks.hpp"
#include "carving/signature_file.hpp"
#include "carving_cli.hpp"
#include "commands.hpp"

namespace quendrix::cli {

void addPhotoCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("photo", "Photo Search: carve photos out of the raw sectors");
  auto options = std::make_shared<CarvingOptions>();
  auto noThorough = std::make_shared<bool>(false);
  addCarvingOptions(*cmd, *options);
  cmd->add_flag("--no-thorough", *noThorough,
                "Skip the second pass with the Thorough Scanning Algorithm");
  cmd->callback([&ctx, options, noThorough] {
    auto range = resolveCarvingRange(ctx, *options);
    if (!range) return;
    if (auto refusal = carving::checkPhotoRange(range->start, range->end)) {
      fail(ctx, kExitUsage, *refusal);
      return;
    }
    if (auto refusal = carving::checkDestination(options->destination)) {
      fail(ctx, kExitUsage, *refusal);
      return;
    }
    carving::PhotoSignatures signatures;
    if (auto failure = carving::loadPhotoSignatures(ctx.exeFolder, signatures)) {
      fail(ctx, kExitFailure, *failure);
      return;
    }
    CarvingRun run(ctx, *options, *range);
    carving::PhotoSearch search(signatures, run.services(), reporterOf(ctx));
    carving::PhotoSearchRequest request;
    request.devicePath = range->source.path;
    request.startSector = range->start;
    request.endSector = range->end;
    request.destination =
        std::filesystem::path(std::string(carving::trimSpace(options->destination)));
    request.thorough = !*noThorough;
    const auto outcome = search.run(request, ctx.stop.get_token());
    run.progress().finish();
    ctx.exitCode = reportOutcome(ctx, outcome, "Photo Search");
  });
}

}  // namespace quendrix::cli
