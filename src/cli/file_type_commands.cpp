#include <ostream>
#include <sstream>

#include "carving/file_type_search.hpp"
#include "carving/search_checks.hpp"
#include "carving_cli.hpp"
#include "commands.hpp"

namespace quendrix::cli {
namespace {

// Unticks every type that --types does not name; false, with the message printed, when it
// names a type the mode does not know.
bool applyTypes(CliContext& ctx, const std::string& mode, const std::string& types,
                std::vector<carving::ExtensionItem>& items) {
  for (auto& item : items) item.ticked = false;
  std::stringstream list(types);
  std::string name;
  while (std::getline(list, name, ',')) {
    const auto key = carving::trimSpace(name);
    if (key.empty()) continue;
    auto it = std::find_if(items.begin(), items.end(), [&](const carving::ExtensionItem& item) {
      return carving::equalsIgnoreCase(item.text, key);
    });
    if (it == items.end()) {
      std::string lower = mode;
      lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
      fail(ctx, kExitUsage,
           "unknown type '" + std::string(key) + "' (see: quendrix types " + lower + ")");
      return false;
    }
    it->ticked = true;
  }
  return true;
}

void addFileTypeCommand(CLI::App& app, CliContext& ctx, const std::string& name,
                        const std::string& mode, const std::string& help) {
  auto* cmd = app.add_subcommand(name, help);
  auto options = std::make_shared<CarvingOptions>();
  auto types = std::make_shared<std::optional<std::string>>();
  addCarvingOptions(*cmd, *options);
  cmd->add_option(
      "--types", *types,
      "Comma-separated extensions to look for (default: all; see quendrix types " + name + ")");
  cmd->callback([&ctx, options, types, mode] {
    auto range = resolveCarvingRange(ctx, *options);
    if (!range) return;
    if (auto refusal = carving::checkFileTypeRange(range->start, range->end)) {
      fail(ctx, kExitUsage, *refusal);
      return;
    }
    std::vector<carving::ExtensionItem> items;
    if (auto failure = carving::loadModeExtensions(ctx.exeFolder, mode, items)) {
      fail(ctx, kExitFailure, *failure);
      return;
    }
    if (*types && !applyTypes(ctx, mode, **types, items)) return;
    if (auto refusal = carving::checkDestination(options->destination)) {
      fail(ctx, kExitUsage, *refusal);
      return;
    }
    if (std::none_of(items.begin(), items.end(), [](const auto& i) { return i.ticked; })) {
      fail(ctx, kExitUsage, carving::kNoExtensionMessage);
      return;
    }
    CarvingRun run(ctx, *options, *range);
    carving::FileTypeSearch search(ctx.exeFolder, run.services(), reporterOf(ctx));
    carving::FileTypeSearchRequest request;
    request.modeName = mode;
    request.devicePath = range->source.path;
    request.startSector = range->start;
    request.endSector = range->end;
    request.destination =
        std::filesystem::path(std::string(carving::trimSpace(options->destination)));
    request.items = items;
    const auto outcome = search.run(request, ctx.stop.get_token());
    run.progress().finish();
    if (outcome.fatal) {
      fail(ctx, kExitFailure, *outcome.fatal);
      return;
    }
    if (outcome.refused) {
      fail(ctx, kExitUsage, *outcome.refused);
      return;
    }
    ctx.exitCode = reportOutcome(ctx, outcome, mode + " Search");
  });
}

}  // namespace

void addVideoCommand(CLI::App& app, CliContext& ctx) {
  addFileTypeCommand(app, ctx, "video", "Video",
                     "Video Search: carve videos of the chosen types out of the raw sectors");
}

void addSignatureCommand(CLI::App& app, CliContext& ctx) {
  addFileTypeCommand(app, ctx, "signature", "Signature",
                     "Signature Search: carve documents, archives, audio and other files");
}

void addTypesCommand(CLI::App& app, CliContext& ctx) {
  auto* cmd = app.add_subcommand("types", "List the file types a Video or Signature search knows");
  auto which = std::make_shared<std::string>();
  cmd->add_option("MODE", *which, "video or signature")
      ->required()
      ->check(CLI::IsMember({"video", "signature"}));
  cmd->callback([&ctx, which] {
    const std::string mode = *which == "video" ? "Video" : "Signature";
    std::vector<carving::ExtensionItem> items;
    if (auto failure = carving::loadModeExtensions(ctx.exeFolder, mode, items)) {
      fail(ctx, kExitFailure, *failure);
      return;
    }
    for (const auto& item : items) {
      char line[64];
      std::snprintf(line, sizeof line, "%-8s ", item.text.c_str());
      *ctx.out << line << item.description << '\n';
    }
    ctx.exitCode = kExitOk;
  });
}

}  // namespace quendrix::cli
