#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace quendrix::carving {

// The six signature files beside the executable. They carry ".dll" but are plain text.
inline constexpr const char* kPhotoGeneralFile = "KSWExt2.dll";
inline constexpr const char* kPhotoAdvanceFile = "KSWExt2Adv.dll";
inline constexpr const char* kVideoFile = "KSWVideo.dll";
inline constexpr const char* kVideoAdvanceFile = "KSWVideoAdv.dll";
inline constexpr const char* kSignatureFile = "KSWSig.dll";
inline constexpr const char* kSignatureAdvanceFile = "KSWSigAdv.dll";

// The files that must open at start-up, in the order they are checked.
inline constexpr std::array<const char*, 4> kStartupCheckedFiles = {
    kPhotoGeneralFile, kPhotoAdvanceFile, kVideoFile, kVideoAdvanceFile};

inline constexpr const char* kCouldNotOpenPrefix = "Couldn't open source file: ";

// Opens the file for reading and closes it again. Returns nullopt when it opened, else the
// message "Couldn't open source file: " and the system's text.
std::optional<std::string> checkSignatureFile(const std::filesystem::path& path);

// Checks the start-up files in order; the first failure's message, or nullopt.
std::optional<std::string> checkStartupSignatureFiles(const std::filesystem::path& folder);

}  // namespace quendrix::carving
