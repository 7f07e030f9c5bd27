#pragma once

#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <string>

#include "carving/carving_engine.hpp"
#include "carving/extension_table.hpp"
#include "carving/search_outcome.hpp"
#include "carving/signature_list.hpp"
#include "diagnostics/error_guard.hpp"

namespace quendrix::carving {

struct PhotoSearchRequest {
  std::string devicePath;
  std::uint64_t startSector = 0;
  std::uint64_t endSector = 0;        // exclusive
  std::filesystem::path destination;  // an existing folder
  bool thorough = true;               // also run the second pass
};

// The Photo search: the General pass, then, when asked and not stopped, the Omitted pass with
// the second Photo list. Headless; the window or the command shows what it reports.
class PhotoSearch {
 public:
  PhotoSearch(const PhotoSignatures& signatures, CarvingServices services,
              diagnostics::ErrorReporter& reporter, std::uint64_t filesPerFolder = kFilesPerFolder);

  SearchOutcome run(const PhotoSearchRequest& request, std::stop_token stop);

  // One row per distinct extension of both lists.
  const ExtensionTable& extensionTable() const { return table_; }

 private:
  const PhotoSignatures& signatures_;
  CarvingServices services_;
  diagnostics::ErrorReporter& reporter_;
  ExtensionTable table_;
  std::uint64_t filesPerFolder_;
};

}  // namespace quendrix::carving
