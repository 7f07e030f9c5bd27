#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::carving {

// The counters a search keeps for one extension.
struct ExtensionRow {
  std::string extension;         // Photo: as written in the signature file; others: upper case
  std::uint64_t count = 0;       // files in the current folder
  std::string folderName;        // the current folder, the extension itself until it fills
  std::uint64_t lastFileNo = 0;  // Video and Signature: last number used, over both passes
  std::uint64_t filesFound = 0;  // Video and Signature: finished files listed
  std::string lastName;          // Video and Signature: the last file's name and path
  std::string lastPath;
};

class ExtensionTable {
 public:
  // Adds a row unless one whose text begins with the extension (any case) exists.
  void addDistinct(std::string_view extension);
  // Adds a row with the text as given.
  void add(std::string_view extension);
  // The first row whose text begins with the extension, compared without regard to case.
  ExtensionRow* findByPrefix(std::string_view extension);
  // The row whose text equals the extension exactly.
  ExtensionRow* findExact(std::string_view extension);
  // Count back to 0 and every folder name back to its extension, as each pass begins.
  void resetFolders();

  std::vector<ExtensionRow>& rows() { return rows_; }
  const std::vector<ExtensionRow>& rows() const { return rows_; }

 private:
  std::vector<ExtensionRow> rows_;
};

}  // namespace quendrix::carving
