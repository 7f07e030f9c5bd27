#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quendrix::deepsearch {

// The messages of the partition search, word for word.

// "Found 2 more partitions in selected Disk ( Disk - 1 )", or "No more partitions found in
// selected Disk ( Disk - 1 )" when nothing was found.
std::string diskSearchResultMessage(std::uint32_t found, std::uint32_t diskNumber);
// The same for a logical drive, named by driveName.
std::string driveSearchResultMessage(std::uint32_t found, std::string_view driveName);

// A disk or drive with no sectors at all.
std::string noDiskStorageMessage(std::uint32_t diskNumber);
std::string noDriveStorageMessage(std::string_view driveName);

inline constexpr std::string_view kSelectDriveMessage =
    "Select the Physical or Logical Drive (in which you want to search Partitions) from the "
    "list of available Drives in left Panel in order to search deleted or missing Partitions.";
inline constexpr std::string_view kStopSearchQuestion = "Do you want to stop searching partition?";

}  // namespace quendrix::deepsearch
