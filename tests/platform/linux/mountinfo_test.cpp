#include "mountinfo.hpp"

#include <gtest/gtest.h>

namespace quendrix::platform {
namespace {

TEST(MountInfoTest, FieldsOptionalTagsAndEscapes) {
  const auto entries = parseMountInfo(
      "36 35 98:0 /mnt1 /mnt/parent\\040dir rw,noatime master:1 shared:2 - ext3 /dev/root "
      "rw,errors=continue\n"
      "40 28 8:17 / /media/me/PHOTOS rw,nosuid - vfat /dev/sdb1 rw\n"
      "\n"
      "41 28 8:18 / /x rw\n"         // no separator
      "42 28 8:19 / /y rw - vfat\n"  // no source
      "43 28 8:20 / /tab\\011and\\134 rw - ntfs3 /dev/sdb4 rw\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].majorMinor, "98:0");
  EXPECT_EQ(entries[0].root, "/mnt1");
  EXPECT_EQ(entries[0].mountPoint, "/mnt/parent dir");
  EXPECT_EQ(entries[0].fsType, "ext3");
  EXPECT_EQ(entries[0].source, "/dev/root");
  EXPECT_EQ(entries[1].mountPoint, "/media/me/PHOTOS");
  EXPECT_EQ(entries[1].source, "/dev/sdb1");
  EXPECT_EQ(entries[2].mountPoint, "/tab\tand\\");
}

}  // namespace
}  // namespace quendrix::platform
