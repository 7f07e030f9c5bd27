#include "storage/disk_details.hpp"

#include <gtest/gtest.h>

#include "storage/bus_type.hpp"
#include "storage/media_text.hpp"

namespace quendrix::storage {
namespace {

TEST(BusTypeTextTest, TableEdgesAndFailures) {
  const std::vector<std::pair<std::optional<std::uint8_t>, std::string>> cases = {
      {0, "UNKNOWN"},
      {3, "ATA"},
      {4, "IEEE 1394"},
      {7, "USB"},
      {9, "iSCSI"},
      {11, "SATA"},
      {12, "SD"},
      {13, "MMC"},
      {14, "VIRTUAL"},
      {15, "FILEBACKEDVIRTUAL"},
      {17, "NVME"},
      {21, "Reserved"},
      {22, ""},
      {23, "Other Device"},
      {255, "Other Device"},
      {std::nullopt, "Other Device"}};
  for (const auto& [code, text] : cases) {
    EXPECT_EQ(busTypeText(code), text) << (code ? std::to_string(*code) : "none");
  }
}

TEST(MediaTextTest, MediaTypeAndBusDecide) {
  EXPECT_EQ(mediaText(MediaType::Removable, "USB"), "Removable Media");
  EXPECT_EQ(mediaText(MediaType::Removable, "SATA"), "Removable Media");
  EXPECT_EQ(mediaText(MediaType::Fixed, "USB"), "External hard disk media");
  EXPECT_EQ(mediaText(MediaType::Fixed, "SATA"), "Fixed hard disk media");
  EXPECT_EQ(mediaText(MediaType::Unknown, "USB"), "");
}

TEST(DiskModelTextTest, VendorProductAndBus) {
  EXPECT_EQ(diskModelText("WDC", "WD10EZEX", "SATA"), "WDC WD10EZEX SATA Device");
  EXPECT_EQ(diskModelText("  ", "DataTraveler 3.0 ", "USB"), "DataTraveler 3.0 USB Device");
  EXPECT_EQ(diskModelText("Kingston ", " DataTraveler", "USB"), "Kingston DataTraveler USB Device");
  EXPECT_EQ(diskModelText("", "", "VIRTUAL"), "VIRTUAL Device");
}

DiskFacts usbDisk() {
  DiskFacts f;
  f.number = 1;
  f.path = "/dev/sdb";
  f.geometry = DiskGeometry{973, 255, 63, 512};
  f.media = MediaType::Fixed;
  f.busCode = bus::kUsb;
  f.vendor = "Kingston";
  f.product = "DataTraveler";
  f.revision = " PMAP ";
  f.serial = "0019E06B";
  f.sizeBytes = 8'004'304'896;
  return f;
}

TEST(DiskRecordTest, UsbFixedDiskIsAnExternalHardDisk) {
  const DiskRecord r = makeDiskRecord(usbDisk(), SearchMode::Photo, "studio");
  EXPECT_EQ(r.label, "External hard disk media (Disk1 - 7.45 GB)");
  EXPECT_EQ(r.kind, "External hard disk media");
  EXPECT_EQ(r.modeName, "Photo Search");
  EXPECT_EQ(r.diskName, "Disk1");
  EXPECT_EQ(r.numberText, "1");
  EXPECT_EQ(r.model, "Kingston DataTraveler USB Device");
  EXPECT_EQ(r.modelCopy, r.model);
  EXPECT_EQ(r.summary, "7.45 GB - External hard disk media");
  EXPECT_EQ(r.capacity, "7.45 GB");
  EXPECT_EQ(r.totalSectors, "15633408");
  EXPECT_EQ(r.cylinders, "973");
  EXPECT_EQ(r.firmwareRevision, "PMAP");
  EXPECT_EQ(r.vendor, "");
  EXPECT_EQ(r.systemName, "studio");
  EXPECT_EQ(r.sizeMib, 7633u);
  EXPECT_EQ(deviceListLine(r), "Kingston DataTraveler USB Device||7.45 GB||15633408||1");

  DiskFacts sata = usbDisk();
  sata.busCode = bus::kSata;
  EXPECT_EQ(makeDiskRecord(sata, SearchMode::Basic, "").label,
            "Fixed hard disk media (Disk1 - 7.45 GB)");
}

TEST(DiskRecordTest, TotalSectorsComeFromTheExactSize) {
  // The geometry product would drop the last partial cylinder; the size does not.
  DiskFacts f = usbDisk();
  f.geometry = DiskGeometry{1, 255, 63, 4096};
  f.sizeBytes = 16065ull * 4096 + 7 * 512;
  const DiskRecord r = makeDiskRecord(f, SearchMode::Deep, "");
  EXPECT_EQ(r.totalSectors, std::to_string(16065ull * 8 + 7));
  EXPECT_EQ(r.bytesPerSector, "4096");
  EXPECT_EQ(selectDisk(r).areaEnd, 16065ull * 8 + 7);
}

TEST(DiskRecordTest, EmptyMediaTextLeavesOnlyTheSizeInTheSummary) {
  DiskFacts f = usbDisk();
  f.media = MediaType::Unknown;
  f.busCode = std::nullopt;
  const DiskRecord r = makeDiskRecord(f, SearchMode::Video, "");
  EXPECT_EQ(r.summary, "7.45 GB");
  EXPECT_EQ(r.label, " (Disk1 - 7.45 GB)");
  EXPECT_EQ(r.bus, "Other Device");
  EXPECT_EQ(r.model, "Kingston DataTraveler Other Device Device");
}

TEST(DiskDetailsTest, ThirteenRowsWithTheirCaptions) {
  DiskRecord r = makeDiskRecord(usbDisk(), SearchMode::Photo, "studio");
  const InfoRows rows = diskInfoRows(r);
  const InfoRows expected = {
      {"1. Model :", "Kingston DataTraveler USB Device"},
      {"2. MediaType :", "External hard disk media"},
      {"3. Interface Type :", "USB"},
      {"4. Capacity(size) :", "7.45 GB"},
      {"5. Cylinders :", "973"},
      {"6. Heads :", "255"},
      {"7. Sectors :", "15633408"},
      {"8. Bytes per Sector :", "512"},
      {"9. Sector per Track :", "63"},
      {"10. Firmware Revision ID :", "PMAP"},
      {"11. Serial Number :", "0019E06B"},
      {"12. System Name :", "studio"},
      {"13. Physical Device ID :", "/dev/sdb"},
  };
  EXPECT_EQ(rows, expected);

  const DiskSelection s = selectDisk(r);
  EXPECT_EQ(s.diskNumber, 1u);
  EXPECT_EQ(s.areaStart, 0u);
  EXPECT_EQ(s.selectedDiskLine, "Kingston DataTraveler USB Device||7.45 GB||15633408||1");
  EXPECT_EQ(s.heads, "255");
}

TEST(DiskDetailsTest, PhysicalDeviceIdDropsTheDevicePrefix) {
  EXPECT_EQ(physicalDeviceId("\\\\.\\PhysicalDrive1"), "PhysicalDrive1");
  EXPECT_EQ(physicalDeviceId("/dev/nvme0n1"), "/dev/nvme0n1");
  EXPECT_EQ(physicalDeviceId("/home/me/card.v2.img"), "/home/me/card.v2.img");
}

}  // namespace
}  // namespace quendrix::storage
