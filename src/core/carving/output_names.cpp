#include "carving/output_names.hpp"

#include <cstdio>

#include "carving/signature_record.hpp"

namespace quendrix::carving {

const char* passFolderName(PassKind pass) {
  return pass == PassKind::General ? "General" : "Omitted";
}

std::string modeFolderName(std::string_view modeName) {
  return std::string(modeName) + " Search";
}

std::filesystem::path searchRoot(const std::filesystem::path& destination,
                                 std::string_view modeFolder) {
  return destination / kProductFolder / modeFolder;
}

std::string carvedFileName(std::string_view prefix, std::uint64_t number, std::string_view suffix,
                           std::string_view extension) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%05llu", static_cast<unsigned long long>(number));
  std::string name;
  name.reserve(prefix.size() + suffix.size() + extension.size() + 8);
  name.append(prefix).append(digits).append(suffix).append(".").append(extension);
  return name;
}

std::string nextFolderName(std::string_view extensionText, std::string_view currentFolder) {
  const auto underscore = currentFolder.find('_');
  std::uint64_t number = 1;
  if (underscore != std::string_view::npos) {
    number = parseDecimalU64(currentFolder.substr(underscore + 1)) + 1;
  }
  char digits[32];
  std::snprintf(digits, sizeof digits, "_%03llu", static_cast<unsigned long long>(number));
  return std::string(extensionText) + digits;
}

std::string_view folderSuffix(std::string_view folderName) {
  const auto underscore = folderName.find('_');
  if (underscore == std::string_view::npos || underscore == 0) return {};
  return folderName.substr(underscore);
}

std::string extensionFolderFromName(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string folder(fileName.substr(dot + 1));
  const std::string_view stem = fileName.substr(0, dot);
  const auto underscore = stem.find('_');
  if (underscore != std::string_view::npos) folder.append(stem.substr(underscore));
  return folder;
}

std::filesystem::path photoPathFromName(const std::filesystem::path& destination,
                                        std::string_view fileName) {
  const char* pass = nullptr;
  if (fileName.starts_with("THDR")) pass = "Omitted";
  if (fileName.starts_with("GNDR")) pass = "General";
  if (pass == nullptr) return {};
  return destination / kProductFolder / kPhotoModeFolder / pass /
         extensionFolderFromName(fileName) / fileName;
}

std::filesystem::path fileTypePathFromName(const std::filesystem::path& destination,
                                           std::string_view modeName, PassKind pass,
                                           std::string_view fileName) {
  return searchRoot(destination, modeFolderName(modeName)) / passFolderName(pass) /
         extensionFolderFromName(fileName) / fileName;
}

}  // namespace quendrix::carving
