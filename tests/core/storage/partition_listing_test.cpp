#include "storage/partition_listing.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "posix_raw_device.hpp"
#include "support/patched_image.hpp"
#include "support/test_paths.hpp"

namespace quendrix::storage {
namespace {

struct Listed {
  std::string type;
  SectorNumber start;
  SectorNumber end;
  bool operator==(const Listed&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Listed& p) {
  return os << p.type << " " << p.start << ".." << p.end;
}

class CollectingReporter final : public diagnostics::ErrorReporter {
 public:
  void report(const diagnostics::ErrorIdentity& id, const std::string&) override {
    codes.push_back(id.stepCode);
  }
  std::vector<std::string> codes;
};

std::vector<Listed> listed(const DiskPartitionTable& table) {
  std::vector<Listed> out;
  for (const auto& p : table.entries()) out.push_back({p.typeName, p.start, p.end});
  return out;
}

std::filesystem::path fixture(const std::string& name) {
  return test::fixtureDir() / "partitions" / name;
}

// The partitions of mbr.img as its script lays them out (the 0x83 logical holds nothing).
const std::vector<Listed> kMbrFixture = {{"FAT16", 2048, 18432},   {"FAT32", 18432, 88064},
                                         {"NTFS", 88064, 104448},  {"FAT16", 106496, 114688},
                                         {"NTFS", 126976, 143360}, {"FAT16", 145408, 153600}};

std::vector<Listed> mbrWithout(std::initializer_list<SectorNumber> starts) {
  std::vector<Listed> out;
  for (const auto& p : kMbrFixture) {
    if (std::find(starts.begin(), starts.end(), p.start) == starts.end()) out.push_back(p);
  }
  return out;
}

constexpr std::uint64_t kMbrEntry0 = 446;

struct ListingCase {
  std::string name;
  std::string base;  // fixture image, or empty for 64 MiB of zeros
  std::function<void(test::PatchedImage&)> patch;
  std::uint64_t totalSectors = 0;  // 0: the image's own size
  std::vector<Listed> expected;
};

void PrintTo(const ListingCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<ListingCase> listingCases() {
  std::vector<ListingCase> cases;
  cases.push_back({"MbrPrimariesAndLogicals", "mbr.img", {}, 0, kMbrFixture});
  cases.push_back(
      {"NoBootSignatureNoPartitions", "mbr.img", [](auto& img) { img.u8(510, 0); }, 0, {}});
  cases.push_back({"PrimaryInLastSectorsStopsListing",
                   "mbr.img",
                   {},
                   88064 + 24575,
                   {kMbrFixture[0], kMbrFixture[1]}});
  // 24,576 sectors left for partition 3 is enough; the extended partition after it is not.
  cases.push_back({"TailOfExactly24576SectorsIsListed",
                   "mbr.img",
                   {},
                   88064 + 24576,
                   {kMbrFixture[0], kMbrFixture[1], kMbrFixture[2]}});
  cases.push_back({"DamagedNtfsBootSectorWithType7", "mbr.img",
                   [](auto& img) { img.bytes(88064 * 512 + 3, "XXXX"); }, 0, kMbrFixture});
  cases.push_back({"ExfatInType7IsNotNtfs", "mbr.img",
                   [](auto& img) { img.bytes(88064 * 512 + 3, "EXFAT   "); }, 0,
                   mbrWithout({88064})});
  cases.push_back({"Type83WithoutSignatureNotListed", "mbr.img",
                   [](auto& img) { img.u8(kMbrEntry0 + 4, 0x83).bytes(2048 * 512 + 54, "XXXXX"); },
                   0, mbrWithout({2048})});
  cases.push_back({"PrimaryType1UnrecognisedNotListed", "mbr.img",
                   [](auto& img) { img.u8(kMbrEntry0 + 4, 0x01).bytes(2048 * 512 + 54, "XXXXX"); },
                   0, mbrWithout({2048})});
  // The first extended boot record of mbr.img sits at the start of the extended partition.
  cases.push_back({"LogicalType1ListedAsFat16", "mbr.img",
                   [](auto& img) {
                     img.u8(104448 * 512 + kMbrEntry0 + 4, 0x01).bytes(106496 * 512 + 54, "XXXXX");
                   },
                   0, kMbrFixture});
  // A chain whose second record links back to the first: each logical once, then the end.
  cases.push_back({"ExtendedChainLoopEnds",
                   "",
                   [](auto& img) {
                     img.entry(0, 0, 0x05, 2048, 100000);
                     img.entry(2048, 0, 0x06, 63, 1000).entry(2048, 1, 0x05, 4096, 2000);
                     img.entry(6144, 0, 0x06, 63, 1000).entry(6144, 1, 0x05, 0, 2000);
                   },
                   0,
                   {{"FAT16", 2111, 3111}, {"FAT16", 6207, 7207}}});
  cases.push_back({"LinkToItselfEnds",
                   "",
                   [](auto& img) {
                     img.entry(0, 0, 0x0F, 2048, 100000);
                     img.entry(2048, 0, 0x0C, 63, 1000).entry(2048, 1, 0x05, 0, 2000);
                   },
                   0,
                   {{"FAT32", 2111, 3111}}});
  // Every entry of an extended boot record counts, the fourth as much as the first.
  cases.push_back({"FourthEntryOfExtendedRecord",
                   "",
                   [](auto& img) {
                     img.entry(0, 0, 0x05, 2048, 100000);
                     img.entry(2048, 2, 0x05, 8192, 2000).entry(2048, 3, 0x07, 63, 1000);
                     img.entry(10240, 3, 0x0B, 63, 500);
                   },
                   0,
                   {{"NTFS", 2111, 3111}, {"FAT32", 10303, 10803}}});
  cases.push_back({"AtMost26Partitions", "",
                   [](auto& img) {
                     img.entry(0, 0, 0x05, 2048, 100000);
                     for (std::uint32_t k = 0; k < 30; ++k) {
                       img.entry(2048 + 64 * k, 0, 0x06, 1, 10);
                       img.entry(2048 + 64 * k, 1, 0x05, 64 * (k + 1), 64);
                     }
                   },
                   0,
                   [] {
                     std::vector<Listed> out;
                     for (SectorNumber k = 0; k < 26; ++k) {
                       out.push_back({"FAT16", 2049 + 64 * k, 2059 + 64 * k});
                     }
                     return out;
                   }()});
  // gpt.img: entry 1 Microsoft reserved (passed over), 2 FAT16, 3 NTFS, 4 empty (the end),
  // 5 FAT32 (never read). Its end is the sector after the entry's last LBA.
  cases.push_back({"GptBehindProtectiveMbr",
                   "gpt.img",
                   {},
                   0,
                   {{"FAT16", 10240, 43008}, {"NTFS", 43008, 75776}}});
  cases.push_back({"GptEntryWithDamagedBootSectorNotListed",
                   "gpt.img",
                   [](auto& img) { img.bytes(43008 * 512 + 3, "XXXX"); },
                   0,
                   {{"FAT16", 10240, 43008}}});
  return cases;
}

class PartitionListingRules : public ::testing::TestWithParam<ListingCase> {};

TEST_P(PartitionListingRules, ListsWhatTheTablesHold) {
  const ListingCase& c = GetParam();
  if (!c.base.empty() && !std::filesystem::exists(fixture(c.base))) {
    GTEST_SKIP() << "fixture " << c.base << " missing";
  }
  test::PatchedImage image = c.base.empty() ? test::PatchedImage(std::uint64_t{64} << 20)
                                            : test::PatchedImage(fixture(c.base));
  if (c.patch) c.patch(image);
  DiskSource disk{"disk.img", 0, c.totalSectors ? c.totalSectors : image.size() / 512, {}};
  CollectingReporter reporter;
  const auto listing = listPartitions(image, disk, reporter);
  EXPECT_FALSE(listing.faulted);
  EXPECT_EQ(listed(listing.table), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PartitionListingRules, ::testing::ValuesIn(listingCases()),
                         [](const auto& info) { return info.param.name; });

TEST(PartitionListing, RecordsCarryNumbersLabelsAndOrigins) {
  if (!std::filesystem::exists(fixture("mbr.img"))) GTEST_SKIP() << "fixture missing";
  platform::PosixDeviceOpener opener;
  CollectingReporter reporter;
  const auto path = fixture("mbr.img").string();
  const auto listing =
      listPartitions(opener, {path, 3, std::filesystem::file_size(path) / 512, {}}, reporter);
  ASSERT_EQ(listing.table.count(), 6u);
  const auto* fourth = listing.table.entry(4);
  ASSERT_NE(fourth, nullptr);
  EXPECT_EQ(fourth->label, "Partition - 4 ( FAT16 )");
  EXPECT_EQ(fourth->index, 3u);
  EXPECT_EQ(fourth->origin, PartitionOrigin::ExtendedBootRecord);
  EXPECT_EQ(listing.table.firstPartition()->origin, PartitionOrigin::MasterBootRecord);
  EXPECT_EQ(listing.table.typeName(1), "FAT32");
  EXPECT_FALSE(listing.selectedVolume.has_value());
}

// A volume read without an item of its own takes its first recognised primary partition as
// the selected volume and looks no further.
TEST(PartitionListing, WithoutParentItemFirstPrimaryBecomesSelectedVolume) {
  if (!std::filesystem::exists(fixture("mbr.img"))) GTEST_SKIP() << "fixture missing";
  test::PatchedImage image(fixture("mbr.img"));
  CollectingReporter reporter;
  PartitionListOptions options;
  options.hasParentItem = false;
  const auto listing = listPartitions(image, {"v", 0, image.size() / 512, {}}, reporter, options);
  ASSERT_TRUE(listing.selectedVolume.has_value());
  EXPECT_EQ(listing.selectedVolume->typeName, "FAT16");
  EXPECT_EQ(listing.selectedVolume->start, 2048u);
  EXPECT_EQ(listing.selectedVolume->end, 18432u);
  EXPECT_EQ(listed(listing.table), std::vector<Listed>{kMbrFixture[0]});
}

class ThrowingOpener final : public RawDeviceOpener {
 public:
  std::unique_ptr<RawDevice> open(std::string_view) override {
    throw std::runtime_error("device vanished");
  }
};

TEST(PartitionListing, FaultIsReportedWithTheListingStep) {
  ThrowingOpener opener;
  CollectingReporter reporter;
  const auto listing = listPartitions(opener, {"x", 0, 100000, {}}, reporter);
  EXPECT_TRUE(listing.faulted);
  EXPECT_EQ(reporter.codes, std::vector<std::string>{"1H"});
}

// The public image with six FAT16 partitions, the sixth behind the third entry of an
// extended boot record. Its key lists every partition with start, end and length.
TEST(PartitionListing, ExtendedPartitionTestImageShowsAllSixFat16Partitions) {
  auto dir = test::dfttDir() / "1-extend-part";
  if (std::filesystem::exists(dir / "1-extend-part")) dir /= "1-extend-part";
  const auto image = dir / "ext-part-test-2.dd";
  if (!std::filesystem::exists(image)) GTEST_SKIP() << "public test image not unpacked";
  std::ifstream keyFile(dir / "index.html");
  std::stringstream key;
  key << keyFile.rdbuf();
  std::vector<Listed> expected;
  const std::regex row(R"((\d{10})\s+(\d{10})\s+(\d{10})\s+DOS FAT16)");
  const std::string html = std::regex_replace(key.str(), std::regex("<[^>]*>"), " ");
  for (std::sregex_iterator it(html.begin(), html.end(), row), end; it != end; ++it) {
    const SectorNumber start = std::stoull((*it)[1]);
    expected.push_back({"FAT16", start, start + std::stoull((*it)[3])});
  }
  ASSERT_EQ(expected.size(), 6u) << "key not understood";
  platform::PosixDeviceOpener opener;
  CollectingReporter reporter;
  const auto listing = listPartitions(
      opener, {image.string(), 0, std::filesystem::file_size(image) / 512, {}}, reporter);
  EXPECT_EQ(listed(listing.table), expected);
}

}  // namespace
}  // namespace quendrix::storage
