#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quendrix::carving {

// The folders every carving search writes under the user's destination.
inline constexpr const char* kProductFolder = "Quendrix (Photo and Video)";
inline constexpr const char* kPhotoModeFolder = "Photo Search";
inline constexpr std::uint64_t kFilesPerFolder = 50000;

enum class PassKind { General, Omitted };

// "General" or "Omitted", the pass folder's name.
const char* passFolderName(PassKind pass);

// "<mode name> Search", the mode folder of a Video or Signature search.
std::string modeFolderName(std::string_view modeName);

// destination / "Quendrix (Photo and Video)" / modeFolder
std::filesystem::path searchRoot(const std::filesystem::path& destination,
                                 std::string_view modeFolder);

// prefix + number (at least five digits, zero-padded) + suffix + "." + extension.
std::string carvedFileName(std::string_view prefix, std::uint64_t number, std::string_view suffix,
                           std::string_view extension);

// The folder that follows a full one: "<extension>_001" after the extension's own folder,
// then the number after the first "_" of the current name plus one, three digits or more.
std::string nextFolderName(std::string_view extensionText, std::string_view currentFolder);

// The part of a folder name that file names carry: from its first "_" on, when it has one
// after its first character; otherwise empty.
std::string_view folderSuffix(std::string_view folderName);

// The folder a file of this name lives in, relative to its pass folder: the text after the
// name's last dot, then the part of the name before that dot from its first "_" on.
std::string extensionFolderFromName(std::string_view fileName);

// Where a Photo search put the file of this name (GNDR... under General, THDR... under
// Omitted); empty for any other name.
std::filesystem::path photoPathFromName(const std::filesystem::path& destination,
                                        std::string_view fileName);

// Where a Video or Signature search put the file of this name in the given pass.
std::filesystem::path fileTypePathFromName(const std::filesystem::path& destination,
                                           std::string_view modeName, PassKind pass,
                                           std::string_view fileName);

}  // namespace quendrix::carving
