#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "carving/signature_file.hpp"

namespace quendrix::carving {

// One row of a Video or Signature search's list of file types.
struct ExtensionItem {
  std::string text;  // the bare extension, upper case
  std::string description;
  bool ticked = true;
};

// Appends to items one ticked row per extension of the lines that items does not hold yet
// (compared without regard to case); the description comes from the first record of it.
void readExtensionList(SignatureLines& lines, std::vector<ExtensionItem>& items);

// Both files of a mode, the first file first, then sorted by extension. The failure message
// of the first file that cannot be opened, or nullopt.
std::optional<std::string> fillExtensionList(const std::filesystem::path& firstFile,
                                             const std::filesystem::path& secondFile,
                                             std::vector<ExtensionItem>& items);

// Appends to selected the records whose extension has a ticked row in items. Extensions are
// stored upper-cased.
void readSelectedSignatures(SignatureLines& lines, std::span<const ExtensionItem> items,
                            SignatureList& selected);

std::optional<std::string> loadSelectedSignatures(const std::filesystem::path& file,
                                                  std::span<const ExtensionItem> items,
                                                  SignatureList& selected);

}  // namespace quendrix::carving
