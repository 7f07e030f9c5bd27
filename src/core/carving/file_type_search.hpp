#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "carving/carving_engine.hpp"
#include "carving/extension_list.hpp"
#include "carving/extension_table.hpp"
#include "carving/search_outcome.hpp"
#include "diagnostics/error_guard.hpp"

namespace quendrix::carving {

// The two signature files of the Video or the Signature mode.
struct ModeFiles {
  const char* first;
  const char* second;
};
// "Video" or "Signature"; nullopt for any other name.
std::optional<ModeFiles> modeFiles(std::string_view modeName);

// The extension list of a mode from both its files, sorted, every row ticked.
std::optional<std::string> loadModeExtensions(const std::filesystem::path& folder,
                                              std::string_view modeName,
                                              std::vector<ExtensionItem>& items);

struct FileTypeSearchRequest {
  std::string modeName;  // "Video" or "Signature"
  std::string devicePath;
  std::uint64_t startSector = 0;
  std::uint64_t endSector = 0;        // exclusive
  std::filesystem::path destination;  // an existing folder
  std::vector<ExtensionItem> items;   // the mode's extension list with the user's ticks
};

// The Video or Signature search: a General pass with the ticked records of the mode's first
// file and, unless stopped, an Omitted pass with those of its second file when it has any.
class FileTypeSearch {
 public:
  FileTypeSearch(std::filesystem::path signatureFolder, CarvingServices services,
                 diagnostics::ErrorReporter& reporter,
                 std::uint64_t filesPerFolder = kFilesPerFolder);

  SearchOutcome run(const FileTypeSearchRequest& request, std::stop_token stop);

  // The summary rows: one per ticked extension with "No. of files found", LastfileNo, Count,
  // FolderName and the last file's name and path.
  const ExtensionTable& summary() const { return summary_; }
  // Finished files of each pass.
  std::uint64_t generalCount() const { return generalCount_; }
  std::uint64_t omittedCount() const { return omittedCount_; }

 private:
  std::filesystem::path folder_;
  CarvingServices services_;
  diagnostics::ErrorReporter& reporter_;
  std::uint64_t filesPerFolder_;
  ExtensionTable summary_;
  std::uint64_t generalCount_ = 0;
  std::uint64_t omittedCount_ = 0;
};

}  // namespace quendrix::carving
