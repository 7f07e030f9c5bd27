#include "carving/file_type_search.hpp"

#include "carving/search_checks.hpp"
#include "carving/signature_file_names.hpp"
#include "search_mode.hpp"

namespace quendrix::carving {

std::optional<ModeFiles> modeFiles(std::string_view modeName) {
  if (modeName == "Video") return ModeFiles{kVideoFile, kVideoAdvanceFile};
  if (modeName == "Signature") return ModeFiles{kSignatureFile, kSignatureAdvanceFile};
  return std::nullopt;
}

std::optional<std::string> loadModeExtensions(const std::filesystem::path& folder,
                                              std::string_view modeName,
                                              std::vector<ExtensionItem>& items) {
  const auto files = modeFiles(modeName);
  if (!files) return std::string("unknown search mode");
  return fillExtensionList(folder / files->first, folder / files->second, items);
}

FileTypeSearch::FileTypeSearch(std::filesystem::path signatureFolder, CarvingServices services,
                               diagnostics::ErrorReporter& reporter, std::uint64_t filesPerFolder)
    : folder_(std::move(signatureFolder)),
      services_(std::move(services)),
      reporter_(reporter),
      filesPerFolder_(filesPerFolder) {}

SearchOutcome FileTypeSearch::run(const FileTypeSearchRequest& request, std::stop_token stop) {
  SearchOutcome outcome;
  const auto files = modeFiles(request.modeName);
  if (!files) {
    outcome.refused = "unknown search mode";
    return outcome;
  }
  if (auto refusal = checkFileTypeRange(request.startSector, request.endSector)) {
    outcome.refused = refusal;
    return outcome;
  }
  summary_ = {};
  generalCount_ = omittedCount_ = 0;
  for (const auto& item : request.items) {
    if (item.ticked) summary_.add(upperAscii(item.text));
  }
  if (summary_.rows().empty()) {
    outcome.refused = kNoExtensionMessage;
    return outcome;
  }
  SignatureList selected;
  if (auto failure = loadSelectedSignatures(folder_ / files->first, request.items, selected)) {
    outcome.fatal = failure;
    return outcome;
  }

  const std::string mode = diagnostics::recoveryModeLabel(SearchMode::Video);
  const diagnostics::ErrorIdentity workerStep{"2TH", "R", mode, "Searching for data..."};
  const diagnostics::ErrorIdentity passStep{"2A", "R", mode, "Searching for data files ..."};
  const bool finished = diagnostics::guardStep(reporter_, workerStep, [&] {
    outcome.root = createSearchRoot(request.destination, modeFolderName(request.modeName));
    CarvingServices services = services_;
    services.finished = [this, &outcome, forward = services_.finished](const FinishedFile& file) {
      (file.pass == PassKind::General ? generalCount_ : omittedCount_) += 1;
      outcome.count(file.pass, file.extension);
      if (auto* row = summary_.findExact(file.extension)) {
        ++row->filesFound;
        row->lastName = std::string(file.name);
        row->lastPath = file.path.string();
      }
      if (forward) forward(file);
    };
    CarvingEngine engine(std::move(services));
    FileTypeNamer namer(summary_, filesPerFolder_);
    PassRequest pass;
    pass.variant = CarvingVariant::FileType;
    pass.devicePath = request.devicePath;
    pass.startSector = request.startSector;
    pass.endSector = request.endSector;
    pass.modeName = request.modeName;
    pass.searchRoot = outcome.root;
    pass.namer = &namer;
    pass.signatures = &selected;

    pass.pass = PassKind::General;
    if (!diagnostics::guardStep(reporter_, passStep,
                                [&] { outcome.general = engine.runPass(pass, stop); })) {
      outcome.faulted = true;
    }
    selected.clear();
    if (outcome.general.stopped || stop.stop_requested()) return;
    if (auto failure = loadSelectedSignatures(folder_ / files->second, request.items, selected)) {
      outcome.fatal = failure;
      return;
    }
    if (selected.empty()) return;
    pass.pass = PassKind::Omitted;
    if (!diagnostics::guardStep(reporter_, passStep,
                                [&] { outcome.omitted = engine.runPass(pass, stop); })) {
      outcome.faulted = true;
    }
  });
  if (!finished) outcome.faulted = true;
  outcome.outputFailed = outcome.general.outputFailed || outcome.omitted.outputFailed;
  outcome.stopped = outcome.general.stopped || outcome.omitted.stopped || stop.stop_requested();
  return outcome;
}

}  // namespace quendrix::carving
