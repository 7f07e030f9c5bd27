#include "deepsearch/partition_search_messages.hpp"

namespace quendrix::deepsearch {
namespace {

constexpr std::string_view kConnectionAdvice =
    ".\n\nIf you have connected your storage using any usb hub or extension, check storage "
    "connections or connect the storage media directly to your computer.";

std::string resultMessage(std::uint32_t found, std::string_view kind, const std::string& name) {
  const std::string target = std::string(kind) + " ( " + std::string(kind) + " - " + name + " )";
  if (found > 0) {
    return "Found " + std::to_string(found) + " more partitions in selected " + target;
  }
  return "No more partitions found in selected " + target;
}

}  // namespace

std::string diskSearchResultMessage(std::uint32_t found, std::uint32_t diskNumber) {
  return resultMessage(found, "Disk", std::to_string(diskNumber));
}

std::string driveSearchResultMessage(std::uint32_t found, std::string_view driveName) {
  return resultMessage(found, "Drive", std::string(driveName));
}

std::string noDiskStorageMessage(std::uint32_t diskNumber) {
  return "No physical storage area found in Disk(Disk - " + std::to_string(diskNumber) + ")" +
         std::string(kConnectionAdvice);
}

std::string noDriveStorageMessage(std::string_view driveName) {
  return "No physical storage area found in Drive(Drive - " + std::string(driveName) + " )" +
         std::string(kConnectionAdvice);
}

}  // namespace quendrix::deepsearch
