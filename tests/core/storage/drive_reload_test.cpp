#include "storage/drive_reload.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace quendrix::storage {
namespace {

class SwitchableDisks final : public DiskProvider {
 public:
  bool present = false;
  std::function<void()> duringListing;
  std::vector<DiskFacts> disks() override {
    if (duringListing) duringListing();
    if (!present) return {};
    DiskFacts f;
    f.number = 1;
    f.path = "/dev/sdb";
    f.geometry = DiskGeometry{1, 255, 63, 512};
    f.media = MediaType::Removable;
    f.sizeBytes = 16065 * 512;
    return {f};
  }
  std::string computerName() override { return ""; }
};

class DriveReloadTest : public ::testing::Test {
 protected:
  DriveReloadTest()
      : list_(disks_, volumes_, partitions_), reloader_(list_, [this](std::chrono::milliseconds d) {
          waits_.push_back(d);
          if (duringWait_) duringWait_();
        }) {}
  SwitchableDisks disks_;
  NoVolumes volumes_;
  NoPartitions partitions_;
  DriveList list_;
  std::vector<std::chrono::milliseconds> waits_;
  std::function<void()> duringWait_;
  DriveReloader reloader_;
};

TEST_F(DriveReloadTest, WaitsThreeSecondsThenReportsWhetherDrivesExist) {
  EXPECT_FALSE(reloader_.reload());
  disks_.present = true;
  EXPECT_TRUE(reloader_.reload());
  EXPECT_EQ(waits_, (std::vector<std::chrono::milliseconds>{kReloadDelay, kReloadDelay}));
  EXPECT_EQ(kReloadDelay, std::chrono::milliseconds(3000));
}

TEST_F(DriveReloadTest, ReloadClearsTheListedFlag) {
  list_.setShowLogicalDrives(true);
  list_.refresh(RefreshReason::FirstFill);
  ASSERT_TRUE(list_.listedFlag());
  bool clearedBeforeWait = false;
  duringWait_ = [&] { clearedBeforeWait = !list_.listedFlag(); };
  reloader_.reload();
  EXPECT_TRUE(clearedBeforeWait);
}

TEST_F(DriveReloadTest, NothingWhileTheListIsBeingBuilt) {
  bool inner = true;
  disks_.duringListing = [&] { inner = reloader_.reload(); };
  list_.refresh(RefreshReason::FirstFill);
  EXPECT_FALSE(inner);
  EXPECT_TRUE(waits_.empty());
}

TEST_F(DriveReloadTest, ASecondRetryDuringARetryIsIgnored) {
  disks_.present = true;
  bool innerFound = true;
  duringWait_ = [&] {
    duringWait_ = nullptr;
    innerFound = reloader_.retry();
  };
  reloader_.setWaitingForDevice(true);
  EXPECT_TRUE(reloader_.retry());
  EXPECT_FALSE(innerFound);
  EXPECT_EQ(waits_.size(), 1u);
  EXPECT_FALSE(reloader_.waitingForDevice());  // drives found: the wait ends
}

TEST_F(DriveReloadTest, ArrivalReloadsOnlyWhileWaitingForADevice) {
  reloader_.onArrival();
  EXPECT_TRUE(waits_.empty());
  reloader_.setWaitingForDevice(true);
  reloader_.onArrival();  // still nothing there: keeps waiting
  EXPECT_EQ(waits_.size(), 1u);
  EXPECT_TRUE(reloader_.waitingForDevice());
  disks_.present = true;
  reloader_.onArrival();
  EXPECT_EQ(waits_.size(), 2u);
  EXPECT_FALSE(reloader_.waitingForDevice());
  EXPECT_EQ(list_.physicalDrives().children.size(), 1u);
}

}  // namespace
}  // namespace quendrix::storage

namespace quendrix::storage {
namespace {

TEST(StoppableSleeperTest, AStopEndsTheWait) {
  std::stop_source stop;
  stop.request_stop();
  // Would wait an hour were the stop not honoured.
  stoppableSleeper(stop.get_token())(std::chrono::hours(1));
  SUCCEED();
}

TEST(StoppableSleeperTest, WithoutAStopTheWaitRunsOut) {
  std::stop_source stop;
  stoppableSleeper(stop.get_token())(std::chrono::milliseconds(20));  // must not hang
  EXPECT_FALSE(stop.stop_requested());
}

}  // namespace
}  // namespace quendrix::storage
