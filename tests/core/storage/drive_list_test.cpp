#include "storage/drive_list.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "storage/bus_type.hpp"

namespace quendrix::storage {
namespace {

DiskFacts disk(std::uint32_t number, MediaType media, std::uint64_t sizeBytes) {
  DiskFacts f;
  f.number = number;
  f.path = "/dev/disk" + std::to_string(number);
  f.geometry = DiskGeometry{sizeBytes / (16065 * 512), 255, 63, 512};
  f.media = media;
  f.busCode = bus::kSata;
  f.product = "Model" + std::to_string(number);
  f.sizeBytes = sizeBytes;
  return f;
}

class FakeDisks final : public DiskProvider {
 public:
  std::vector<DiskFacts> facts;
  std::function<void()> duringListing;
  std::vector<DiskFacts> disks() override {
    if (duringListing) duringListing();
    return facts;
  }
  std::string computerName() override { return "studio"; }
};

class FakeVolumes final : public VolumeProvider {
 public:
  std::vector<VolumeFacts> facts;
  std::vector<VolumeFacts> volumes() override { return facts; }
};

// Two partitions under disk 0, none elsewhere; a fault after the first when asked to.
class FakePartitions final : public PartitionLister {
 public:
  bool failAfterFirst = false;
  void listPartitions(const DiskRecord& d, const Add& add) override {
    if (d.numberText != "0") return;
    add({"Partition - 1 ( FAT32 )", "FAT32", 1, 2048, 4096});
    if (failAfterFirst) throw std::runtime_error("unreadable extended boot record");
    add({"Partition - 2 ( NTFS )", "NTFS", 2, 4096, 8192});
  }
};

class RecordingReporter final : public diagnostics::ErrorReporter {
 public:
  std::vector<diagnostics::ErrorIdentity> reports;
  void report(const diagnostics::ErrorIdentity& id, const std::string&) override {
    reports.push_back(id);
  }
};

std::vector<std::string> texts(const DriveTreeItem& item) {
  std::vector<std::string> out;
  for (const auto& c : item.children) out.push_back(c.text);
  return out;
}

class DriveListTest : public ::testing::Test {
 protected:
  DriveListTest() : list_(disks_, volumes_, partitions_) {
    disks_.facts = {disk(0, MediaType::Fixed, 64ull << 30),
                    disk(1, MediaType::Removable, 8ull << 30),
                    disk(3, MediaType::Removable, 2ull << 30)};
    VolumeFacts v;
    v.rootPath = "/media/me/CARD";
    v.devicePath = "/dev/disk1p1";
    v.fileSystem = "FAT32";
    v.label = "CARD";
    v.space = VolumeSpace{8ull << 30, 1ull << 30};
    volumes_.facts = {v};
  }
  FakeDisks disks_;
  FakeVolumes volumes_;
  RecordingReporter reporter_;
  FakePartitions partitions_;
  DriveList list_;
};

TEST_F(DriveListTest, TreeOfDisksPartitionsAndVolumes) {
  list_.setMode(SearchMode::Photo);
  list_.setShowLogicalDrives(true);
  list_.refresh(RefreshReason::FirstFill);
  const DriveTreeItem& root = list_.root();
  EXPECT_EQ(root.text, "My Computer");
  EXPECT_EQ(texts(root), (std::vector<std::string>{"Physical Drives", "Logical Drives"}));
  // Sorted by their text, as the tree shows them.
  EXPECT_EQ(texts(list_.physicalDrives()),
            (std::vector<std::string>{"Fixed hard disk media (Disk0 - 64.00 GB)",
                                      "Removable Media (Disk1 - 8.00 GB)",
                                      "Removable Media (Disk3 - 2.00 GB)"}));
  const DriveTreeItem& disk0 = list_.physicalDrives().children[0];
  EXPECT_EQ(texts(disk0),
            (std::vector<std::string>{"Partition - 1 ( FAT32 )", "Partition - 2 ( NTFS )"}));
  ASSERT_TRUE(disk0.children[1].partition);
  EXPECT_EQ(disk0.children[1].partition->startSector, 4096u);
  // The device list keeps the listing order.
  EXPECT_EQ(list_.deviceList(),
            (std::vector<std::string>{"Model0 SATA Device||64.00 GB||134217728||0",
                                      "Model1 SATA Device||8.00 GB||16777216||1",
                                      "Model3 SATA Device||2.00 GB||4194304||3"}));
  ASSERT_NE(list_.logicalDrives(), nullptr);
  EXPECT_EQ(texts(*list_.logicalDrives()),
            (std::vector<std::string>{"/media/me/CARD (8.00 GB - CARD - FAT32)"}));
  EXPECT_EQ(list_.volumeList(), (std::vector<std::string>{"/dev/disk1p1|16777216"}));
  EXPECT_EQ(list_.logicalDrives()->children[0].record->modeName, "Photo Search");
  ASSERT_NE(list_.disk(3), nullptr);
  EXPECT_EQ(list_.disk(3)->systemName, "studio");
  EXPECT_EQ(list_.disk(2), nullptr);
  EXPECT_TRUE(list_.holdsDrives());
  EXPECT_FALSE(list_.building());
}

TEST_F(DriveListTest, DisksPastNumber24AndDisksWithoutGeometryAreLeftOut) {
  DiskFacts noMedia = disk(2, MediaType::Removable, 0);
  noMedia.geometry.reset();
  disks_.facts.push_back(noMedia);
  disks_.facts.push_back(disk(24, MediaType::Fixed, 1ull << 30));
  disks_.facts.push_back(disk(25, MediaType::Fixed, 1ull << 30));
  list_.refresh(RefreshReason::FirstFill);
  std::vector<std::string> numbers;
  for (const auto& item : list_.physicalDrives().children)
    numbers.push_back(item.record->numberText);
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, (std::vector<std::string>{"0", "1", "24", "3"}));
}

TEST_F(DriveListTest, LogicalDrivesListOnceUntilTheFlagIsCleared) {
  list_.setShowLogicalDrives(true);
  list_.refresh(RefreshReason::FirstFill);
  EXPECT_TRUE(list_.listedFlag());
  VolumeFacts second = volumes_.facts[0];
  second.rootPath = "/media/me/USB";
  volumes_.facts.push_back(second);
  list_.listLogicalDrives();
  EXPECT_EQ(list_.logicalDrives()->children.size(), 1u);  // the second call adds nothing
  list_.clearListedFlag();
  list_.listLogicalDrives("/media/me/CARD");  // the filter skips its own root path
  EXPECT_EQ(texts(*list_.logicalDrives()),
            (std::vector<std::string>{"/media/me/USB (8.00 GB - CARD - FAT32)"}));
}

TEST_F(DriveListTest, LogicalBranchComesAndGoesWithTheCheckBox) {
  list_.refresh(RefreshReason::FirstFill);
  EXPECT_EQ(list_.logicalDrives(), nullptr);
  list_.setShowLogicalDrives(true);
  list_.clearListedFlag();
  list_.refresh(RefreshReason::LogicalDrivesTicked);
  ASSERT_NE(list_.logicalDrives(), nullptr);
  EXPECT_EQ(list_.logicalDrives()->children.size(), 1u);
  list_.setShowLogicalDrives(false);
  EXPECT_EQ(list_.logicalDrives(), nullptr);
  EXPECT_EQ(texts(list_.root()), (std::vector<std::string>{"Physical Drives"}));
}

TEST_F(DriveListTest, BuildingFlagIsRaisedWhileListing) {
  bool seen = false;
  disks_.duringListing = [&] { seen = list_.building(); };
  list_.refresh(RefreshReason::FirstFill);
  EXPECT_TRUE(seen);
  EXPECT_FALSE(list_.building());
}

TEST_F(DriveListTest, FaultsAreReportedAndTheListingGoesOn) {
  list_.setReporter(&reporter_);
  list_.setMode(SearchMode::Deep);
  partitions_.failAfterFirst = true;
  list_.refresh(RefreshReason::FirstFill);
  ASSERT_EQ(reporter_.reports.size(), 1u);
  EXPECT_EQ(reporter_.reports[0].stepCode, "1H");
  EXPECT_EQ(reporter_.reports[0].moduleCode, "LD");
  EXPECT_EQ(reporter_.reports[0].modeLabel, "D");
  EXPECT_EQ(reporter_.reports[0].operationText, "Scanning for drive partition...");
  // The disk keeps the partition found before the fault; the other disks are listed.
  EXPECT_EQ(texts(list_.physicalDrives().children[0]),
            (std::vector<std::string>{"Partition - 1 ( FAT32 )"}));
  EXPECT_EQ(list_.physicalDrives().children.size(), 3u);

  reporter_.reports.clear();
  disks_.duringListing = [] { throw std::runtime_error("sysfs went away"); };
  list_.refresh(RefreshReason::FirstFill);
  ASSERT_EQ(reporter_.reports.size(), 1u);
  EXPECT_EQ(reporter_.reports[0].stepCode, "1E_A");
  EXPECT_EQ(reporter_.reports[0].operationText, "List info of all connected disk");
  EXPECT_TRUE(list_.physicalDrives().children.empty());
  EXPECT_FALSE(list_.building());
}

TEST_F(DriveListTest, NoDrivesAtAll) {
  disks_.facts.clear();
  volumes_.facts.clear();
  list_.setShowLogicalDrives(true);
  list_.refresh(RefreshReason::FirstFill);
  EXPECT_FALSE(list_.holdsDrives());
  EXPECT_TRUE(list_.deviceList().empty());
}

}  // namespace
}  // namespace quendrix::storage
