#include "deepsearch/partition_search_messages.hpp"

#include <gtest/gtest.h>

namespace quendrix::deepsearch {
namespace {

TEST(PartitionSearchMessages, ExactTexts) {
  const std::string advice =
      ".\n\nIf you have connected your storage using any usb hub or extension, check storage "
      "connections or connect the storage media directly to your computer.";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {diskSearchResultMessage(3, 1), "Found 3 more partitions in selected Disk ( Disk - 1 )"},
      {diskSearchResultMessage(0, 0), "No more partitions found in selected Disk ( Disk - 0 )"},
      {driveSearchResultMessage(1, "E:"),
       "Found 1 more partitions in selected Drive ( Drive - E: )"},
      {driveSearchResultMessage(0, "E:"),
       "No more partitions found in selected Drive ( Drive - E: )"},
      {noDiskStorageMessage(2), "No physical storage area found in Disk(Disk - 2)" + advice},
      {noDriveStorageMessage("F:"),
       "No physical storage area found in Drive(Drive - F: )" + advice},
  };
  for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace quendrix::deepsearch
