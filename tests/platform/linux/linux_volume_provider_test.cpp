#include "linux_volume_provider.hpp"

#include <gtest/gtest.h>

#include <cstdio>

#include "disk_paths.hpp"
#include "platform/linux/fake_sysfs.hpp"
#include "posix_raw_device.hpp"
#include "storage/little_endian.hpp"
#include "support/test_paths.hpp"

namespace quendrix::platform {
namespace {
namespace fs = std::filesystem;

// The NTFS serial as the system shows it: the low 32 bits of the boot sector's serial.
std::string ntfsSerial(const fs::path& image) {
  const std::string bytes = test::readFile(image);
  const auto span = std::as_bytes(std::span(bytes.data(), bytes.size()));
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(storage::u64Or0(span, 0x48)));
  return text;
}

TEST(LinuxVolumeProviderTest, MountedVolumesFromAFakeSystem) {
  const fs::path images = test::fixtureDir() / "volumes";
  if (!fs::exists(images / "ntfs.img")) GTEST_SKIP() << "fixtures missing";
  test::FakeSystem sys;
  const fs::path mnt = sys.path() / "mnt";
  for (const char* name : {"PHOTOS", "NTFS DISK", "whole"}) fs::create_directories(mnt / name);

  const fs::path sdb = sys.addDisk("sdb", "usb1/1-1/host6/6:0:0:0", {{"size", "2097152"}});
  sys.addPartition(sdb, "sdb1", 2048, 81920);
  sys.addPartition(sdb, "sdb2", 83968, 16384);
  const fs::path sdc = sys.addDisk("sdc", "usb1/1-2/host7/7:0:0:0", {{"size", "32768"}});
  sys.linkClassBlock(sdc, "sdc");
  sys.addDisk("sdd", "usb1/1-3/host8/8:0:0:0", {{"size", "8192"}});
  sys.addDevNumber("8:17", "sdb1");
  sys.addDevNumber("8:18", "sdb2");
  sys.addDevNumber("8:32", "sdc");
  sys.addDevNumber("8:49", "sdd1");
  sys.addDevNumber("11:0", "sr0");
  sys.addDevNumber("2:0", "fd0");
  // The devices are the fixture images; sdb's table holds a dynamic-disk partition.
  sys.symlink(images / "mbr_dynamic.img", "dev/sdb");
  sys.symlink(images / "fat32.img", "dev/sdb1");
  sys.symlink(images / "ntfs.img", "dev/sdb2");
  sys.symlink(images / "fat16.img", "dev/sdc");

  const std::string m = mnt.string();
  sys.write("proc/self/mountinfo",
            "22 28 0:21 / /proc rw,relatime - proc proc rw\n"
            "36 28 8:17 / " +
                m +
                "/PHOTOS rw,nosuid shared:7 master:1 - vfat /dev/sdb1 rw\n"
                "37 28 8:17 /DCIM " +
                m +
                "/bind rw - vfat /dev/sdb1 rw\n"
                "38 28 8:18 / " +
                m +
                "/NTFS\\040DISK rw - ntfs3 /dev/sdb2 rw\n"
                "39 28 11:0 / " +
                m +
                "/cdrom ro - iso9660 /dev/sr0 ro\n"
                "40 28 2:0 / " +
                m +
                "/floppy rw - vfat /dev/fd0 rw\n"
                "41 28 0:40 / /tmp rw - tmpfs tmpfs rw\n"
                "42 28 8:17 / " +
                m +
                "/again rw - vfat /dev/sdb1 rw\n"
                "43 28 8:32 / " +
                m +
                "/whole rw - vfat /dev/sdc rw\n"
                "44 28 8:49 / " +
                m +
                "/gone rw - vfat /dev/sdd1 rw\n"
                "garbage line\n");

  SystemRoots roots{sys.sys(), sys.proc(), sys.runUdev(), sys.dev()};
  PosixDeviceOpener opener;
  LinuxVolumeProvider provider(
      roots, storage::DevicePathTable(listDiskPaths(roots.sys / "block", roots.dev), {}), opener);
  const auto volumes = provider.volumes();
  ASSERT_EQ(volumes.size(), 4u);

  const auto& photos = volumes[0];
  EXPECT_EQ(photos.rootPath, m + "/PHOTOS");
  EXPECT_EQ(photos.devicePath, (sys.dev() / "sdb1").string());
  EXPECT_EQ(photos.fileSystem, "FAT32");
  EXPECT_EQ(photos.label, "PHOTOS");
  EXPECT_EQ(photos.serial, "1234ABCD");
  EXPECT_TRUE(photos.space);
  ASSERT_TRUE(photos.extent);
  EXPECT_EQ(photos.extent->diskNumber, 0u);
  EXPECT_EQ(photos.extent->startSector, 2048u);
  EXPECT_EQ(photos.extent->sectorCount, 81920u);
  EXPECT_TRUE(photos.dynamic);

  const auto& ntfs = volumes[1];
  EXPECT_EQ(ntfs.rootPath, m + "/NTFS DISK");
  EXPECT_EQ(ntfs.fileSystem, "NTFS");
  EXPECT_EQ(ntfs.label, "DATA");
  EXPECT_EQ(ntfs.serial, ntfsSerial(images / "ntfs.img"));
  ASSERT_TRUE(ntfs.extent);
  EXPECT_EQ(ntfs.extent->startSector, 83968u);
  EXPECT_TRUE(ntfs.dynamic);

  // A file system on the whole disk, which has no partition table.
  const auto& whole = volumes[2];
  EXPECT_EQ(whole.fileSystem, "FAT16");
  EXPECT_EQ(whole.label, "CARD");
  EXPECT_EQ(whole.serial, "C0FFEE");
  ASSERT_TRUE(whole.extent);
  EXPECT_EQ(whole.extent->diskNumber, 1u);
  EXPECT_EQ(whole.extent->startSector, 0u);
  EXPECT_EQ(whole.extent->sectorCount, 32768u);
  EXPECT_FALSE(whole.dynamic);

  // Nothing readable: the mount table's type, no space, no extent.
  const auto& gone = volumes[3];
  EXPECT_EQ(gone.fileSystem, "FAT");
  EXPECT_EQ(gone.label, "");
  EXPECT_FALSE(gone.space);
  EXPECT_FALSE(gone.extent);
  EXPECT_FALSE(gone.dynamic);
}

TEST(LinuxVolumeProviderTest, NoMountTableGivesNoVolumes) {
  test::FakeSystem sys;
  PosixDeviceOpener opener;
  LinuxVolumeProvider provider(SystemRoots{sys.sys(), sys.proc(), sys.runUdev(), sys.dev()}, {},
                               opener);
  EXPECT_TRUE(provider.volumes().empty());
}

}  // namespace
}  // namespace quendrix::platform
