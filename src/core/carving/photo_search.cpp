#include "carving/photo_search.hpp"

#include "carving/search_checks.hpp"
#include "search_mode.hpp"

namespace quendrix::carving {

PhotoSearch::PhotoSearch(const PhotoSignatures& signatures, CarvingServices services,
                         diagnostics::ErrorReporter& reporter, std::uint64_t filesPerFolder)
    : signatures_(signatures),
      services_(std::move(services)),
      reporter_(reporter),
      filesPerFolder_(filesPerFolder) {
  for (const auto* list : {&signatures_.general, &signatures_.advance}) {
    for (const auto& record : list->records()) {
      const std::string_view ext(record.extension);
      table_.addDistinct(ext.substr(ext.empty() ? 0 : 1));
    }
  }
}

SearchOutcome PhotoSearch::run(const PhotoSearchRequest& request, std::stop_token stop) {
  SearchOutcome outcome;
  if (auto refusal = checkPhotoRange(request.startSector, request.endSector)) {
    outcome.refused = refusal;
    return outcome;
  }
  const std::string mode = diagnostics::recoveryModeLabel(SearchMode::Photo);
  const diagnostics::ErrorIdentity workerStep{"2TH", "R", mode, "searching for image data..."};
  const diagnostics::ErrorIdentity passStep{"2A", "R", mode, "Searching for Photos..."};
  const bool finished = diagnostics::guardStep(reporter_, workerStep, [&] {
    outcome.root = createSearchRoot(request.destination, kPhotoModeFolder);
    CarvingServices services = services_;
    services.finished = [&outcome, forward = services_.finished](const FinishedFile& file) {
      outcome.count(file.pass, file.extension);
      if (forward) forward(file);
    };
    CarvingEngine engine(std::move(services));
    PhotoNamer namer(table_, filesPerFolder_);
    PassRequest pass;
    pass.variant = CarvingVariant::Photo;
    pass.devicePath = request.devicePath;
    pass.startSector = request.startSector;
    pass.endSector = request.endSector;
    pass.searchRoot = outcome.root;
    pass.namer = &namer;

    pass.pass = PassKind::General;
    pass.signatures = &signatures_.general;
    if (!diagnostics::guardStep(reporter_, passStep,
                                [&] { outcome.general = engine.runPass(pass, stop); })) {
      outcome.faulted = true;
    }
    const bool stopped = outcome.general.stopped || stop.stop_requested();
    if (request.thorough && !stopped) {
      pass.pass = PassKind::Omitted;
      pass.signatures = &signatures_.advance;
      if (!diagnostics::guardStep(reporter_, passStep,
                                  [&] { outcome.omitted = engine.runPass(pass, stop); })) {
        outcome.faulted = true;
      }
    }
  });
  if (!finished) outcome.faulted = true;
  outcome.outputFailed = outcome.general.outputFailed || outcome.omitted.outputFailed;
  outcome.stopped = outcome.general.stopped || outcome.omitted.stopped || stop.stop_requested();
  return outcome;
}

}  // namespace quendrix::carving
