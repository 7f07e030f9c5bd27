#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quendrix::carving {

inline constexpr const char* kEndSectorMessage =
    "The value of \u2018End Sector\u2019 cannot be less than or equal to the \u2018Start "
    "Sector\u2019 of the Drive.";
inline constexpr const char* kDestinationMessage =
    "Please specify the Destination path where the recovered data will be saved by clicking on "
    "'Browse' button.";
inline constexpr const char* kNoExtensionMessage =
    "Please select at least one Extension type to continue recovery process.";
inline constexpr const char* kSearchCompletedMessage =
    "Searching of files in specified disk sectors is completed.";
inline constexpr const char* kSearchStoppedMessage =
    "Searching of files in specified disk sectors is stopped.";

// The Photo search refuses an end of 0 and a range of less than two sectors.
std::optional<std::string> checkPhotoRange(std::uint64_t start, std::uint64_t end);
// The Video and Signature search refuses an end of 0 and an empty range.
std::optional<std::string> checkFileTypeRange(std::uint64_t start, std::uint64_t end);

// The destination as typed, trimmed; the message when it is not an existing folder.
std::optional<std::string> checkDestination(std::string_view typed);

// Creates destination/"Quendrix (Photo and Video)"/modeFolder and returns it.
std::filesystem::path createSearchRoot(const std::filesystem::path& destination,
                                       std::string_view modeFolder);

}  // namespace quendrix::carving
