#include "disk_paths.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace quendrix::platform {
namespace {

TEST(DiskPathsTest, ListsWholeDisksOfKnownKindsInStableOrder) {
  test::TempDir sys;
  for (const char* name : {"sdb", "sda", "sdaa", "sdz", "nvme1n1", "nvme0n1", "mmcblk0", "vda",
                           "loop0", "loop1", "ram0", "zram0", "sda1", "nvme0n1p1", "mmcblk0p1",
                           "dm-0", "sr0", "fd0"}) {
    std::filesystem::create_directories(sys / name);
  }
  // loop1 has a backing file, loop0 does not.
  std::filesystem::create_directories(sys / "loop1" / "loop");
  test::writeFile(sys / "loop1" / "loop" / "backing_file", "/tmp/card.img\n");
  const auto paths = listDiskPaths(sys.path(), "/dev");
  const std::vector<std::string> expected = {"/dev/sda",     "/dev/sdb",     "/dev/sdz",
                                             "/dev/sdaa",    "/dev/nvme0n1", "/dev/nvme1n1",
                                             "/dev/mmcblk0", "/dev/vda",     "/dev/loop1"};
  EXPECT_EQ(paths, expected);
}

TEST(DiskPathsTest, MissingSysfsGivesNoDisks) {
  EXPECT_TRUE(listDiskPaths("/nonexistent/sys/block").empty());
}

}  // namespace
}  // namespace quendrix::platform
