#include "deepsearch/disk_partition_search.hpp"

#include <gtest/gtest.h>

#include "posix_raw_device.hpp"
#include "storage/partition_listing.hpp"
#include "support/patched_image.hpp"
#include "support/test_paths.hpp"

namespace quendrix::deepsearch {
namespace {

using storage::SectorNumber;

struct Found {
  std::string type;
  SectorNumber start;
  SectorNumber end;
  bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Found& p) {
  return os << p.type << " " << p.start << ".." << p.end;
}

class NoReporter final : public diagnostics::ErrorReporter {
 public:
  void report(const diagnostics::ErrorIdentity& id, const std::string&) override {
    ADD_FAILURE() << "unexpected fault in step " << id.stepCode;
  }
};

std::filesystem::path fixture(const std::string& name) {
  return test::fixtureDir() / "partitions" / name;
}

std::filesystem::path extendedPartitionImage() {
  auto dir = test::dfttDir() / "1-extend-part";
  if (std::filesystem::exists(dir / "1-extend-part")) dir /= "1-extend-part";
  return dir / "ext-part-test-2.dd";
}

storage::DiskSource diskFor(const std::filesystem::path& path) {
  const auto total = std::filesystem::file_size(path) / 512;
  return {path.string(), 0, total, storage::DiskGeometry::synthesized(total)};
}

std::vector<Found> found(const DiskSearchOutcome& outcome) {
  std::vector<Found> out;
  for (const auto& p : outcome.added) out.push_back({p.typeName, p.start, p.end});
  return out;
}

struct SearchCase {
  std::string name;
  std::filesystem::path image;
  PartitionSearchMode mode;
  std::vector<Found> expected;
};

void PrintTo(const SearchCase& c, std::ostream* os) {
  *os << c.name;
}

// An NTFS volume counts one sector less than its partition: 16384 sectors give 16383.
std::vector<SearchCase> searchCases() {
  const auto standard = PartitionSearchMode::Standard;
  const auto advanced = PartitionSearchMode::Advanced;
  return {
      {"Deleted2048FoundByAdvanced",
       fixture("deleted-2048.img"),
       advanced,
       {{"NTFS", 2048, 2048 + 16383}}},
      {"Deleted2048MissedByStandard", fixture("deleted-2048.img"), standard, {}},
      {"Deleted63FoundByStandard", fixture("deleted-63.img"), standard, {{"NTFS", 63, 63 + 16383}}},
      {"Deleted63FoundByAdvanced", fixture("deleted-63.img"), advanced, {{"NTFS", 63, 63 + 16383}}},
      // Listed partitions, the FAT32 backup boot sector and the NTFS backups are not new.
      {"ListedPartitionsNotAddedAgain", fixture("mbr.img"), advanced, {}},
      {"ListedPartitionsNotAddedAgainStandard", fixture("mbr.img"), standard, {}},
      {"ExtendedTestImageHoldsNothingNew", extendedPartitionImage(), advanced, {}},
      // The GPT entry behind the empty one is not listed, but its file system is there.
      {"GptEntryBehindEmptyOneFound",
       fixture("gpt.img"),
       advanced,
       {{"FAT32", 77824, 77824 + 40960}}},
  };
}

class DiskPartitionSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(DiskPartitionSearchCases, AddsWhatTheTableMisses) {
  const SearchCase& c = GetParam();
  if (!std::filesystem::exists(c.image)) GTEST_SKIP() << c.image << " missing";
  platform::PosixDeviceOpener opener;
  NoReporter reporter;
  NullProgressSink progress;
  const auto disk = diskFor(c.image);
  auto table = storage::listPartitions(opener, disk, reporter).table;
  const std::size_t listedBefore = table.count();
  const PartitionSearchContext context{opener, progress, {}, reporter};
  std::vector<std::string> announced;
  const auto outcome = searchDiskPartitions(context, disk, c.mode, table,
                                            [&](const auto& p) { announced.push_back(p.label); });
  EXPECT_TRUE(outcome.opened);
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(found(outcome), c.expected);
  ASSERT_EQ(table.count(), listedBefore + c.expected.size());
  for (std::size_t i = 0; i < c.expected.size(); ++i) {
    const auto& p = table.entries()[listedBefore + i];
    EXPECT_EQ(p.origin, storage::PartitionOrigin::Search);
    EXPECT_EQ(announced[i], p.label);
  }
  EXPECT_EQ(outcome.message, c.expected.empty()
                                 ? "No more partitions found in selected Disk ( Disk - 0 )"
                                 : "Found " + std::to_string(c.expected.size()) +
                                       " more partitions in selected Disk ( Disk - 0 )");
  // What one search added, the next one knows.
  const auto again = searchDiskPartitions(context, disk, c.mode, table);
  EXPECT_TRUE(again.added.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskPartitionSearchCases, ::testing::ValuesIn(searchCases()),
                         [](const auto& info) { return info.param.name; });

// A disk of two whole cylinders and part of a third, with an NTFS boot sector at head 1 of
// the partial one. The geometry's cylinder count leaves that cylinder out; the search does not.
TEST(DiskPartitionSearch, StandardReadsTheLastPartialCylinder) {
  const std::uint64_t total = 2 * 16065 + 200;
  const SectorNumber boot = 2 * 16065 + 63;
  test::PatchedImage image(total * 512);
  image.bytes(boot * 512 + 3, "NTFS    ").u64(boot * 512 + 0x28, 100).signature(boot);
  NoReporter reporter;
  NullProgressSink progress;
  storage::DiskSource disk{"d", 2, total, {2, 255, 63, 512}};
  storage::DiskPartitionTable table;
  const auto outcome = searchDiskPartitions({image, progress, {}, reporter}, disk,
                                            PartitionSearchMode::Standard, table);
  EXPECT_EQ(found(outcome), (std::vector<Found>{{"NTFS", boot, boot + 100}}));
  EXPECT_EQ(outcome.message, "Found 1 more partitions in selected Disk ( Disk - 2 )");
}

// Other geometries are read on 255 x 63 unless the disk reports 63 sectors per track.
TEST(DiskPartitionSearch, CylinderLayoutFollowsTheReportedTrack) {
  struct Case {
    storage::DiskGeometry geometry;
    std::uint64_t total;
    CylinderLayout expected;
  };
  const std::vector<Case> cases = {
      {{1000, 16, 63, 512}, 16 * 63 * 10, {10, 16, 63}},
      {{1000, 64, 32, 512}, 16065 * 3 + 1, {4, 255, 63}},
      {{0, 0, 0, 512}, 16065, {1, 255, 63}},
  };
  for (const auto& c : cases) {
    const auto layout = cylinderLayout(c.geometry, c.total);
    EXPECT_EQ(layout.cylinders, c.expected.cylinders);
    EXPECT_EQ(layout.heads, c.expected.heads);
    EXPECT_EQ(layout.sectorsPerTrack, c.expected.sectorsPerTrack);
  }
}

TEST(DiskPartitionSearch, FullTableGetsNoMore) {
  if (!std::filesystem::exists(fixture("deleted-63.img"))) GTEST_SKIP() << "fixture missing";
  platform::PosixDeviceOpener opener;
  NoReporter reporter;
  NullProgressSink progress;
  storage::DiskPartitionTable table;
  for (int k = 0; k < 26; ++k) {
    table.add("FAT16", 100000 + 10 * k, 100005 + 10 * k, storage::PartitionOrigin::Search);
  }
  for (auto mode : {PartitionSearchMode::Standard, PartitionSearchMode::Advanced}) {
    const auto outcome = searchDiskPartitions({opener, progress, {}, reporter},
                                              diskFor(fixture("deleted-63.img")), mode, table);
    EXPECT_TRUE(outcome.added.empty());
    EXPECT_EQ(table.count(), 26u);
  }
}

TEST(DiskPartitionSearch, StopRequestEndsTheSearch) {
  if (!std::filesystem::exists(fixture("deleted-63.img"))) GTEST_SKIP() << "fixture missing";
  platform::PosixDeviceOpener opener;
  NoReporter reporter;
  NullProgressSink progress;
  std::stop_source stop;
  stop.request_stop();
  storage::DiskPartitionTable table;
  const auto outcome = searchDiskPartitions({opener, progress, stop.get_token(), reporter},
                                            diskFor(fixture("deleted-63.img")),
                                            PartitionSearchMode::Advanced, table);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_TRUE(outcome.added.empty());
  EXPECT_EQ(outcome.message, "No more partitions found in selected Disk ( Disk - 0 )");
}

TEST(DiskPartitionSearch, UnopenableDiskFindsNothing) {
  platform::PosixDeviceOpener opener;
  NoReporter reporter;
  NullProgressSink progress;
  storage::DiskPartitionTable table;
  const auto outcome =
      searchDiskPartitions({opener, progress, {}, reporter}, {"/nonexistent/disk.img", 4, 1000, {}},
                           PartitionSearchMode::Standard, table);
  EXPECT_FALSE(outcome.opened);
  EXPECT_EQ(outcome.message, "No more partitions found in selected Disk ( Disk - 4 )");
}

}  // namespace
}  // namespace quendrix::deepsearch
