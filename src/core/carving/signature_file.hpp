#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "carving/signature_list.hpp"

namespace quendrix::carving {

// The lines of one signature file, read as 8-bit text. CR LF or LF ends a line; reading past
// the last line gives empty text.
class SignatureLines {
 public:
  // nullopt, with the message "Couldn't open source file: " and the system's text in
  // *failure, when the file cannot be opened.
  static std::optional<SignatureLines> open(const std::filesystem::path& path,
                                            std::string* failure);
  static SignatureLines fromText(std::string text);

  bool atEnd() const { return pos_ >= text_.size(); }
  // The next line, or empty text beyond the end.
  std::string_view next();

 private:
  explicit SignatureLines(std::string text) : text_(std::move(text)) {}
  std::string text_;
  std::size_t pos_ = 0;
};

// Reads one record from its six lines the way the section reader does. Returns nullopt at
// the end of the file (only the first line is tested for it).
std::optional<FileType1> readSectionRecord(SignatureLines& lines);

// Appends every record of the lines to the list of the named section: "General" to
// lists.general, "Advance" to lists.advance; any other name reads and stores nothing.
// Records that can never match (no header, offset below 1) are left out.
void readSection(SignatureLines& lines, std::string_view section, PhotoSignatures& lists);

// Opens folder/fileName and reads it as the section; the failure message when it cannot be
// opened.
std::optional<std::string> loadSection(const std::filesystem::path& folder,
                                       std::string_view fileName, std::string_view section,
                                       PhotoSignatures& lists);

// The start-up load: "General" from the first Photo file, "Advance" from the second, then the
// open-and-close check of the four start-up files. The first failure's message, or nullopt.
std::optional<std::string> loadPhotoSignatures(const std::filesystem::path& folder,
                                               PhotoSignatures& lists);

}  // namespace quendrix::carving
