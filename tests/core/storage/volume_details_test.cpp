#include "storage/volume_details.hpp"

#include <gtest/gtest.h>

#include "storage/volume_identity.hpp"

namespace quendrix::storage {
namespace {

VolumeFacts photosCard() {
  VolumeFacts v;
  v.rootPath = "/media/me/PHOTOS";
  v.devicePath = "/dev/sdb1";
  v.label = "PHOTOS";
  v.serial = "1234ABCD";
  v.fileSystem = "FAT32";
  v.space = VolumeSpace{8'004'304'896, 1'048'576};
  v.extent = VolumeExtent{1, 2048, 15'631'360};
  return v;
}

TEST(VolumeLabelTest, RootSizeLabelAndFileSystem) {
  EXPECT_EQ(volumeLabel("/media/me/PHOTOS", 8'004'304'896, "PHOTOS", "FAT32"),
            "/media/me/PHOTOS (7.45 GB - PHOTOS - FAT32)");
  EXPECT_EQ(volumeLabel("/mnt/f", 8'004'304'896, "", "FAT32"), "/mnt/f (7.45 GB -  - FAT32)");
  EXPECT_EQ(volumeLabel("/mnt/x", 0, "X", "Unknown"), "/mnt/x (Unknown Size  - X - Unknown)");
}

TEST(VolumeRecordTest, FieldsOfAMountedCard) {
  const DiskRecord r = makeVolumeRecord(photosCard(), SearchMode::Photo);
  EXPECT_EQ(r.label, "/media/me/PHOTOS (7.45 GB - PHOTOS - FAT32)");
  EXPECT_EQ(r.kind, "Logical Drives");
  EXPECT_EQ(r.modeName, "Photo Search");
  EXPECT_EQ(r.startText, "0");
  EXPECT_EQ(r.sectorsText, "15633408");
  EXPECT_EQ(r.sizeText, "7.45 GB");
  EXPECT_EQ(r.freeText, "1.00 MB");
  EXPECT_EQ(r.totalBytes, 8'004'304'896u);
  EXPECT_EQ(r.diskNumber, 1u);
  EXPECT_EQ(r.startSector, 2048u);
  EXPECT_EQ(r.endSector, 2048u + 15'631'360u);
  EXPECT_EQ(r.dynamicFlag, 0u);
  EXPECT_EQ(r.currentSizeMib, 0u);
  EXPECT_EQ(r.sizeMib, 0u);
  EXPECT_EQ(volumeListLine(r), "/dev/sdb1|15633408");

  const InfoRows expected = {
      {"1. Start Sector :", "0"},          {"2. End Sector : ", "15633408"},
      {"3. Partition Type : ", "FAT32"},   {"4. Volume : ", "/media/me/PHOTOS"},
      {"5. Label : ", "PHOTOS"},           {"6. Size : ", "7.45 GB"},
      {"7. Free Space : ", "1.00 MB"},     {"8. Search Mode : ", "Photo Search"},
      {"9. Serial Number : ", "1234ABCD"},
  };
  EXPECT_EQ(volumeInfoRows(r), expected);
}

TEST(VolumeRecordTest, WhatCannotBeReadShowsAsUnknown) {
  VolumeFacts v = photosCard();
  v.fileSystem.clear();
  v.space.reset();
  v.extent.reset();
  v.dynamic = false;
  DiskRecord r = makeVolumeRecord(v, SearchMode::Basic);
  EXPECT_EQ(r.fileSystem, "Unknown");
  EXPECT_EQ(r.freeText, "Unknown Size ");
  EXPECT_EQ(r.sizeText, "Unknown Size ");
  EXPECT_EQ(r.label, "/media/me/PHOTOS (Unknown Size  - PHOTOS - Unknown)");
  EXPECT_EQ(r.diskNumber, 0u);
  EXPECT_EQ(r.startSector, 0u);
  EXPECT_EQ(r.endSector, 0u);

  v = photosCard();
  v.space->freeBytes = 0;  // a full volume has an empty free text
  v.dynamic = true;
  r = makeVolumeRecord(v, SearchMode::Basic);
  EXPECT_EQ(r.freeText, "");
  EXPECT_EQ(r.dynamicFlag, 1u);
}

TEST(VolumeIdentityTest, FileSystemNames) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"vfat", "FAT32", "FAT32"}, {"vfat", "FAT16", "FAT16"}, {"vfat", "FAT12", "FAT12"},
      {"vfat", "", "FAT"},        {"ntfs", "", "NTFS"},       {"ntfs3", "", "NTFS"},
      {"exfat", "1.0", "exFAT"},  {"ext4", "1.0", "ext4"},    {"", "", ""}};
  for (const auto& [type, version, name] : cases) {
    EXPECT_EQ(fileSystemName(type, version), name) << type << " " << version;
  }
}

TEST(VolumeIdentityTest, SerialTexts) {
  const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"vfat", "1234-ABCD", "1234ABCD"},
      {"vfat", "00C0-FFEE", "C0FFEE"},  // "%X" drops leading zeros
      {"ntfs", "7BD8C7747369202A", "7369202A"},
      {"exfat", "6A1B-03F2", "6A1B03F2"},
      {"vfat", "not-hex!", "not-hex!"},
      {"ext4", "3e6be9de-8139-11d1-9106-a43f08d823a6", "3e6be9de-8139-11d1-9106-a43f08d823a6"},
      {"vfat", "", ""}};
  for (const auto& [type, uuid, text] : cases) {
    EXPECT_EQ(volumeSerialText(type, uuid), text) << type << " " << uuid;
  }
}

}  // namespace
}  // namespace quendrix::storage
