#include "storage/partition_details.hpp"

#include <gtest/gtest.h>

namespace quendrix::storage {
namespace {

TEST(PartitionDetails, SevenRowsWithTheirCaptions) {
  DiskPartitionTable table;
  table.add("FAT32", 63, 63 + 15605760, PartitionOrigin::MasterBootRecord);
  const auto rows = partitionDetailRows("Disk1", *table.entry(1), "Photo Search");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"1. Disk Number : ", "Disk1"},    {"2. Partition Number : ", "1"},
      {"3. Partition Type : ", "FAT32"}, {"4. Search Mode : ", "Photo Search"},
      {"5. Start Sector : ", "63"},      {"6. End Sector : ", "15605823"},
      {"7. Size : ", "  7.44 GB"}};
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].caption, expected[i].first);
    EXPECT_EQ(rows[i].value, expected[i].second);
  }
}

TEST(PartitionDetails, HeadingAfterScanIsFirstPartitionOrUnknown) {
  DiskPartitionTable table;
  EXPECT_EQ(firstPartitionHeading(table), "Unknown Partition");
  table.add("NTFS", 2048, 4096, PartitionOrigin::Search);
  table.add("FAT16", 8192, 9000, PartitionOrigin::Search);
  EXPECT_EQ(firstPartitionHeading(table), "Partition - 1 ( NTFS )");
}

TEST(DiskPartitionTable, HoldsAtMost26) {
  DiskPartitionTable table;
  for (int k = 0; k < 26; ++k) {
    ASSERT_TRUE(table.add("FAT16", 100 * k, 100 * k + 50, PartitionOrigin::Search));
  }
  EXPECT_FALSE(table.add("FAT16", 9000, 9100, PartitionOrigin::Search));
  EXPECT_EQ(table.entry(26)->label, "Partition - 26 ( FAT16 )");
  EXPECT_EQ(table.entry(27), nullptr);
}

}  // namespace
}  // namespace quendrix::storage
