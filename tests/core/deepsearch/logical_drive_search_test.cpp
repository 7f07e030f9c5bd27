#include "deepsearch/logical_drive_search.hpp"

#include <gtest/gtest.h>

#include "posix_raw_device.hpp"
#include "support/patched_image.hpp"
#include "support/test_paths.hpp"

namespace quendrix::deepsearch {
namespace {

class NoReporter final : public diagnostics::ErrorReporter {
 public:
  void report(const diagnostics::ErrorIdentity& id, const std::string&) override {
    ADD_FAILURE() << "unexpected fault in step " << id.stepCode;
  }
};

std::filesystem::path fixture(const std::string& name) {
  return test::fixtureDir() / "partitions" / name;
}

struct Search {
  NoReporter reporter;
  NullProgressSink progress;
  DriveSearchOutcome run(storage::RawDeviceOpener& opener, const DriveSource& drive,
                         FoundPartitionList& list) {
    return searchLogicalDrive({opener, progress, {}, reporter}, drive, list);
  }
};

// volume.img is a FAT16 volume formatted over an older FAT32 file system of 81920 sectors
// whose boot sector (and its backup six sectors on) is still at sector 2048.
TEST(LogicalDriveSearch, OldFat32BootSectorInsideAVolume) {
  const auto path = fixture("volume.img");
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "fixture missing";
  platform::PosixDeviceOpener opener;
  const DriveSource drive{path.string(), "E:", std::filesystem::file_size(path) / 512};
  FoundPartitionList list;
  Search search;
  const auto outcome = search.run(opener, drive, list);
  ASSERT_EQ(outcome.added.size(), 1u);
  const auto& row = outcome.added[0];
  EXPECT_EQ(row.itemLabel, "Recognised1 - 40.00 MB - FAT32");
  EXPECT_EQ(outcome.lastItemLabel, row.itemLabel);
  EXPECT_EQ(outcome.message, "Found 1 more partitions in selected Drive ( Drive - E: )");
  // mkfs.fat gave it 32 reserved sectors, 630 sectors per FAT, one sector per cluster and
  // the root directory in cluster 2.
  EXPECT_EQ(row.columns(),
            (std::vector<std::string>{
                "Log|E:|", "Recognised1", "FAT32", "2048", "83968", " 40.00 MB", "630", "1", "0",
                "2", "32", std::to_string(2048 + 32 + 2 * 630 - 2 * 1), "2080", "2710"}));
  EXPECT_EQ(list.rows().size(), 1u);

  const auto again = search.run(opener, drive, list);
  EXPECT_TRUE(again.added.empty());
  EXPECT_EQ(again.message, "No more partitions found in selected Drive ( Drive - E: )");
  EXPECT_FALSE(again.lastItemLabel.has_value());
}

// Searched as a drive, mbr.img shows every file system it holds, numbered in disk order;
// backup boot sectors are not file systems of their own.
TEST(LogicalDriveSearch, EveryFileSystemOfAPartitionedImageOnce) {
  const auto path = fixture("mbr.img");
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "fixture missing";
  platform::PosixDeviceOpener opener;
  FoundPartitionList list;
  list.append({"Log|F:|", "Recognised1", "FAT16", 5, 6, "", {}, ""});  // another drive's row
  Search search;
  const auto outcome =
      search.run(opener, {path.string(), "G:", std::filesystem::file_size(path) / 512}, list);
  std::vector<std::string> labels;
  for (const auto& row : outcome.added) {
    labels.push_back(row.name + " " + row.typeName + " " + std::to_string(row.start) + ".." +
                     std::to_string(row.end));
  }
  EXPECT_EQ(labels, (std::vector<std::string>{
                        "Recognised1 FAT16 2048..18432", "Recognised2 FAT32 18432..88064",
                        "Recognised3 NTFS 88064..104447", "Recognised4 FAT16 106496..114688",
                        "Recognised5 NTFS 126976..143359", "Recognised6 FAT16 145408..153600"}));
  // FAT16 columns: sectors per FAT, per cluster, root sectors, root start, reserved,
  // cluster 0 start, first and second FAT, as the volume's own boot sector gives them.
  const auto& fat16 = outcome.added[0].typeValues;
  ASSERT_EQ(fat16.size(), 8u);
  const long perFat = std::stol(fat16[0]), perCluster = std::stol(fat16[1]);
  const long rootSectors = std::stol(fat16[2]), reserved = std::stol(fat16[4]);
  EXPECT_EQ(perCluster, 1);
  EXPECT_EQ(rootSectors, 512 / 16);
  EXPECT_EQ(std::stol(fat16[3]), 2048 + reserved + 2 * perFat);
  EXPECT_EQ(std::stol(fat16[5]), 2048 + reserved + 2 * perFat + rootSectors - 2 * perCluster);
  EXPECT_EQ(std::stol(fat16[6]), 2048 + reserved);
  EXPECT_EQ(std::stol(fat16[7]), 2048 + reserved + perFat);
}

struct NtfsCase {
  std::string name;
  std::uint64_t sectorCount;     // at 0x28
  std::uint8_t indexRecordByte;  // at 0x44
  std::optional<storage::SectorNumber> expectedEnd;
  std::string expectedIndexSectors;
};

void PrintTo(const NtfsCase& c, std::ostream* os) {
  *os << c.name;
}

class LogicalDriveNtfs : public ::testing::TestWithParam<NtfsCase> {};

// A drive of 4096 sectors of zeros with one NTFS boot sector at sector 100.
TEST_P(LogicalDriveNtfs, BootSectorCounts) {
  const NtfsCase& c = GetParam();
  constexpr std::uint64_t kDrive = 4096;
  constexpr std::uint64_t kAt = 100 * 512;
  test::PatchedImage image(kDrive * 512);
  image.bytes(kAt + 3, "NTFS    ")
      .u8(kAt + 0x0D, 8)
      .u64(kAt + 0x28, c.sectorCount)
      .u32(kAt + 0x30, 4)
      .u32(kAt + 0x38, 1000)
      .u8(kAt + 0x44, c.indexRecordByte)
      .signature(100);
  FoundPartitionList list;
  Search search;
  const auto outcome = search.run(image, {"vol", "H:", kDrive}, list);
  if (!c.expectedEnd) {
    EXPECT_TRUE(outcome.added.empty());
    return;
  }
  ASSERT_EQ(outcome.added.size(), 1u);
  const auto& row = outcome.added[0];
  EXPECT_EQ(row.end, *c.expectedEnd);
  EXPECT_EQ(row.typeValues,
            (std::vector<std::string>{"8", c.expectedIndexSectors, "2",
                                      std::to_string(static_cast<std::uint32_t>(c.sectorCount)),
                                      "4", "1000"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogicalDriveNtfs,
    ::testing::Values(NtfsCase{"ZeroCountPassedOver", 0, 0xF4, std::nullopt, ""},
                      NtfsCase{"CountWithinDrive", 2000, 0xF4, 2100, "8"},
                      NtfsCase{"CountBeyondDriveCutToDrive", 10000, 0xF4, 100 + 4096, "8"},
                      NtfsCase{"IndexRecordInClusters", 2000, 0x01, 2100, "8"},
                      NtfsCase{"IndexRecordOf1024Bytes", 2000, 0xF6, 2100, "2"}),
    [](const auto& info) { return info.param.name; });

TEST(LogicalDriveSearch, StopAndUnopenableDrive) {
  platform::PosixDeviceOpener opener;
  FoundPartitionList list;
  Search search;
  const auto missing = search.run(opener, {"/nonexistent/vol", "Z:", 100}, list);
  EXPECT_FALSE(missing.opened);
  EXPECT_EQ(missing.message, "No more partitions found in selected Drive ( Drive - Z: )");

  test::PatchedImage image(4096 * 512);
  std::stop_source stop;
  stop.request_stop();
  const auto stopped = searchLogicalDrive(
      {image, search.progress, stop.get_token(), search.reporter}, {"vol", "H:", 4096}, list);
  EXPECT_TRUE(stopped.stopped);
}

}  // namespace
}  // namespace quendrix::deepsearch
