#include "linux_disk_provider.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/linux/fake_sysfs.hpp"
#include "storage/bus_type.hpp"
#include "support/test_paths.hpp"

namespace quendrix::platform {
namespace {
namespace fs = std::filesystem;
using storage::MediaType;
namespace bus = storage::bus;

struct Expected {
  std::string name;
  std::uint8_t busCode;
  MediaType media;
  std::string vendor, product, revision, serial;
  std::uint64_t sizeBytes;
  bool listed;  // has a geometry
};

class LinuxDiskProviderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A card reader on USB: identity from sysfs, serial from udev.
    sys_.addDisk("sdb", "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0",
                 {{"size", "15633408"}, {"removable", "1"}, {"dev", "8:16"}},
                 {{"vendor", "Generic "}, {"model", "STORAGE DEVICE  "}, {"rev", "1404"}});
    sys_.addUdev("8:16", {{"ID_BUS", "usb"}, {"ID_SERIAL_SHORT", "000000001404"}});
    // SATA disk on an AHCI controller.
    sys_.addDisk("sda", "pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0",
                 {{"size", "1953525168"},
                  {"removable", "0"},
                  {"dev", "8:0"},
                  {"queue/logical_block_size", "512"}},
                 {{"vendor", "ATA     "}, {"model", "WDC WD10EZEX-08W"}, {"rev", "1A01"}});
    sys_.symlink("../../../bus/pci/drivers/ahci", "sys/devices/pci0000:00/0000:00:1f.2/driver");
    // Two disks on an old IDE controller: udev knows one of them is SATA.
    sys_.addDisk("sdc", "pci0000:00/0000:00:01.1/ata2/host1/target1:0:0/1:0:0:0",
                 {{"size", "2048"}, {"removable", "0"}, {"dev", "8:32"}}, {{"model", "OLD"}});
    sys_.symlink("../../../bus/pci/drivers/ata_piix", "sys/devices/pci0000:00/0000:00:01.1/driver");
    sys_.addDisk("sdd", "pci0000:00/0000:00:01.1/ata3/host2/target2:0:0/2:0:0:0",
                 {{"size", "4096"}, {"removable", "0"}, {"dev", "8:48"}}, {{"model", "NEWER"}});
    sys_.addUdev("8:48", {{"ID_ATA_SATA", "1"}, {"ID_BUS", "ata"}});
    // An empty card-reader slot has no media and is not listed.
    sys_.addDisk("sde", "pci0000:00/0000:00:14.0/usb2/2-2/2-2:1.0/host7/target7:0:0/7:0:0:0",
                 {{"size", "0"}, {"removable", "1"}, {"dev", "8:64"}}, {{"model", "SD Reader"}});
    // A disk on a bus we do not know; identity from udev only.
    sys_.addDisk("sdf", "platform/some-host/host9/target9:0:0/9:0:0:0",
                 {{"size", "8192"}, {"dev", "8:80"}});
    sys_.addUdev("8:80", {{"ID_VENDOR", "Acme"},
                          {"ID_MODEL", "Disk_One"},
                          {"ID_REVISION", "0.1"},
                          {"ID_SERIAL_SHORT", "A1_B2"}});
    sys_.addDisk("nvme0n1", "pci0000:00/0000:00:1d.0/nvme/nvme0",
                 {{"size", "1000215216"}, {"removable", "0"}, {"dev", "259:0"}},
                 {{"model", "Samsung SSD 970 EVO Plus 500GB"},
                  {"serial", "S4EV"},
                  {"firmware_rev", "2B2QEXM7"}});
    sys_.addDisk("mmcblk0", "platform/fe320000.mmc/mmc_host/mmc0/mmc0:aaaa",
                 {{"size", "31116288"}, {"removable", "0"}, {"dev", "179:0"}},
                 {{"type", "SD"}, {"name", "SC32G"}, {"serial", "0x2a3b4c5d"}, {"fwrev", "0x0"}});
    sys_.addDisk("mmcblk1", "platform/fe330000.mmc/mmc_host/mmc1/mmc1:0001",
                 {{"size", "30535680"}, {"removable", "0"}, {"dev", "179:32"}},
                 {{"type", "MMC"}, {"name", "8GTF4R"}});
    sys_.addDisk("vda", "pci0000:00/0000:00:02.0/virtio1",
                 {{"size", "536870912"}, {"removable", "0"}, {"dev", "254:0"}, {"serial", "vol-1"}},
                 {{"vendor", "0x1af4"}});
    const fs::path loop =
        sys_.addDisk("loop3", "virtual", {{"size", "6144"}, {"removable", "0"}, {"dev", "7:3"}});
    fs::create_directories(loop / "loop");
    test::writeFile(loop / "loop" / "backing_file", "/srv/images/card.img\n");
    image_ = (sys_.path() / "holiday.img").string();
    test::writeFile(image_, std::string(3 * 1024 * 1024 + 100, '\0'));
  }

  test::FakeSystem sys_;
  std::string image_;
};

TEST_F(LinuxDiskProviderTest, FactsOfEachKindOfDisk) {
  fs::create_directories(sys_.sys() / "block");
  LinuxDiskProvider provider(SystemRoots{sys_.sys(), sys_.proc(), sys_.runUdev(), sys_.dev()},
                             {image_});
  const std::vector<Expected> expected = {
      {"sda", bus::kSata, MediaType::Fixed, "ATA", "WDC WD10EZEX-08W", "1A01", "",
       1953525168ull * 512, true},
      {"sdb", bus::kUsb, MediaType::Removable, "Generic", "STORAGE DEVICE", "1404", "000000001404",
       15633408ull * 512, true},
      {"sdc", bus::kAta, MediaType::Fixed, "", "OLD", "", "", 2048 * 512, true},
      {"sdd", bus::kSata, MediaType::Fixed, "", "NEWER", "", "", 4096 * 512, true},
      {"sde", bus::kUsb, MediaType::Removable, "", "SD Reader", "", "", 0, false},
      {"sdf", bus::kUnknown, MediaType::Fixed, "Acme", "Disk One", "0.1", "A1_B2", 8192 * 512,
       true},
      {"nvme0n1", bus::kNvme, MediaType::Fixed, "", "Samsung SSD 970 EVO Plus 500GB", "2B2QEXM7",
       "S4EV", 1000215216ull * 512, true},
      {"mmcblk0", bus::kSd, MediaType::Removable, "", "SC32G", "0x0", "0x2a3b4c5d",
       31116288ull * 512, true},
      {"mmcblk1", bus::kMmc, MediaType::Fixed, "", "8GTF4R", "", "", 30535680ull * 512, true},
      {"vda", bus::kVirtual, MediaType::Fixed, "", "", "", "vol-1", 536870912ull * 512, true},
      {"loop3", bus::kFileBackedVirtual, MediaType::Fixed, "", "card.img", "", "", 6144 * 512,
       true},
  };
  const auto disks = provider.disks();
  ASSERT_EQ(disks.size(), expected.size() + 1);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& e = expected[i];
    const auto& d = disks[i];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(d.number, i);
    EXPECT_EQ(d.path, (sys_.dev() / e.name).string());
    EXPECT_EQ(d.busCode, e.busCode);
    EXPECT_EQ(d.media, e.media);
    EXPECT_EQ(d.vendor, e.vendor);
    EXPECT_EQ(d.product, e.product);
    EXPECT_EQ(d.revision, e.revision);
    EXPECT_EQ(d.serial, e.serial);
    EXPECT_EQ(d.sizeBytes, e.sizeBytes);
    ASSERT_EQ(d.geometry.has_value(), e.listed);
    if (e.listed) {
      EXPECT_EQ(d.geometry->tracksPerCylinder, 255u);
      EXPECT_EQ(d.geometry->sectorsPerTrack, 63u);
      EXPECT_EQ(d.geometry->cylinders, e.sizeBytes / (16065 * 512));
    }
  }
  // The image file the user named comes after the disks of the system.
  const auto& image = disks.back();
  EXPECT_EQ(image.number, expected.size());
  EXPECT_EQ(image.path, image_);
  EXPECT_EQ(image.busCode, bus::kFileBackedVirtual);
  EXPECT_EQ(image.sizeBytes, 3u * 1024 * 1024 + 100);
  EXPECT_EQ(image.product, "holiday.img");
  ASSERT_TRUE(image.geometry);
  EXPECT_EQ(image.geometry->cylinders, 0u);
}

TEST(LinuxDiskProviderFullTest, ImagesPastAFullTableAreLeftOut) {
  test::FakeSystem sys;
  for (char c = 'a'; c < 'a' + 25; ++c) {
    sys.addDisk(std::string("sd") + c, std::string("host/") + c, {{"size", "2048"}});
  }
  const std::string image = (sys.path() / "one.img").string();
  test::writeFile(image, std::string(4096, '\0'));
  LinuxDiskProvider provider(SystemRoots{sys.sys(), sys.proc(), sys.runUdev(), sys.dev()},
                             {image, image + ".2"});
  const auto disks = provider.disks();
  ASSERT_EQ(disks.size(), 26u);
  EXPECT_EQ(disks[24].path, (sys.dev() / "sdy").string());
  EXPECT_EQ(disks[24].sizeBytes, 2048u * 512);
  EXPECT_EQ(disks[25].path, image);
  EXPECT_EQ(disks[25].busCode, bus::kFileBackedVirtual);
}

TEST_F(LinuxDiskProviderTest, ComputerNameIsTheHostName) {
  char name[256] = {};
  ASSERT_EQ(::gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(LinuxDiskProvider(SystemRoots{sys_.sys()}).computerName(), name);
}

// A real loop device over a fixture image, attached read-only and detached again.
class LoopDevice {
 public:
  explicit LoopDevice(const std::string& image) {
    const std::string command = "losetup -f --show -r '" + image + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return;
    char line[256] = {};
    if (std::fgets(line, sizeof line, pipe.get()) != nullptr) path_ = line;
    while (!path_.empty() && (path_.back() == '\n' || path_.back() == ' ')) path_.pop_back();
  }
  ~LoopDevice() {
    if (!path_.empty()) {
      const std::string command = "losetup -d '" + path_ + "' 2>/dev/null";
      [[maybe_unused]] const int rc = std::system(command.c_str());
    }
  }
  LoopDevice(const LoopDevice&) = delete;
  LoopDevice& operator=(const LoopDevice&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(LinuxDiskProviderLoopTest, AttachedLoopDeviceIsListedFileBacked) {
  const auto image = test::fixtureDir() / "volumes" / "fat16.img";
  if (!fs::exists(image)) GTEST_SKIP() << "fixtures missing";
  if (::geteuid() != 0) GTEST_SKIP() << "attaching a loop device needs root";
  LoopDevice loop(image.string());
  if (loop.path().empty()) GTEST_SKIP() << "losetup cannot attach a loop device here";
  LinuxDiskProvider provider;
  const auto disks = provider.disks();
  const auto it = std::find_if(disks.begin(), disks.end(),
                               [&](const storage::DiskFacts& d) { return d.path == loop.path(); });
  ASSERT_NE(it, disks.end()) << loop.path() << " is not listed";
  EXPECT_EQ(it->busCode, bus::kFileBackedVirtual);
  EXPECT_EQ(it->sizeBytes, fs::file_size(image));
  EXPECT_EQ(it->product, "fat16.img");
  ASSERT_TRUE(it->geometry);
}

}  // namespace
}  // namespace quendrix::platform
