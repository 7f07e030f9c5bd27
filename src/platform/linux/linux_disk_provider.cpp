#include "linux_disk_provider.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/hdreg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <regex>

#include "disk_paths.hpp"
#include "storage/bus_type.hpp"
#include "sysfs_text.hpp"

namespace quendrix::platform {
namespace fs = std::filesystem;
using storage::DiskFacts;
using storage::DiskGeometry;

namespace {

constexpr std::uint32_t kHeads = 255;
constexpr std::uint32_t kSectorsPerTrack = 63;

std::string udevValue(const std::map<std::string, std::string>& udev, const std::string& key) {
  const auto it = udev.find(key);
  return it == udev.end() ? "" : it->second;
}

// udev writes the blanks of vendor and model names as underscores.
std::string udevName(const std::map<std::string, std::string>& udev, const std::string& key) {
  std::string value = udevValue(udev, key);
  std::replace(value.begin(), value.end(), '_', ' ');
  return value;
}

// The kernel driver bound to a device folder, "" when none.
std::string driverOf(const fs::path& deviceDir) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(deviceDir / "driver", ec);
  return ec ? "" : target.filename().string();
}

bool onAhciController(const fs::path& devicePath) {
  static const std::regex kAtaPort(R"(ata\d+)");
  fs::path prefix;
  for (const auto& part : devicePath) {
    if (std::regex_match(part.string(), kAtaPort)) {
      return driverOf(prefix).find("ahci") != std::string::npos;
    }
    prefix /= part;
  }
  return false;
}

bool pathHasPart(const fs::path& devicePath, const std::regex& pattern) {
  return std::any_of(devicePath.begin(), devicePath.end(), [&](const fs::path& part) {
    return std::regex_match(part.string(), pattern);
  });
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::uint8_t busCodeOf(const std::string& name, const fs::path& devicePath,
                       const std::map<std::string, std::string>& udev) {
  namespace bus = storage::bus;
  const auto idBus = udev.find("ID_BUS");
  const std::string udevBus = idBus == udev.end() ? "" : idBus->second;
  if (name.starts_with("loop")) return bus::kFileBackedVirtual;
  if (pathHasPart(devicePath, std::regex(R"(usb\d+)")) || udevBus == "usb") return bus::kUsb;
  if (name.starts_with("nvme") || pathHasPart(devicePath, std::regex(R"(nvme\d*)"))) {
    return bus::kNvme;
  }
  if (name.starts_with("mmcblk") || pathHasPart(devicePath, std::regex(R"(mmc\d+)"))) {
    // The card's folder (mmcN:RCA) sits right above "block" and names its type.
    fs::path card = devicePath.parent_path();
    if (card.filename() == "block") card = card.parent_path();
    return readAttribute(card / "type") == "MMC" ? bus::kMmc : bus::kSd;
  }
  if (pathHasPart(devicePath, std::regex(R"(ata\d+)")) || udevBus == "ata") {
    const auto sata = udev.find("ID_ATA_SATA");
    const bool isSata = (sata != udev.end() && sata->second == "1") || onAhciController(devicePath);
    return isSata ? bus::kSata : bus::kAta;
  }
  if (pathHasPart(devicePath, std::regex(R"(virtio\d+)"))) return bus::kVirtual;
  return bus::kUnknown;
}

DiskGeometry synthesizedGeometry(std::uint64_t sizeBytes, std::uint32_t bytesPerSector) {
  DiskGeometry g;
  g.tracksPerCylinder = kHeads;
  g.sectorsPerTrack = kSectorsPerTrack;
  g.bytesPerSector = bytesPerSector == 0 ? 512 : bytesPerSector;
  g.cylinders = sizeBytes / (std::uint64_t{kHeads} * kSectorsPerTrack * g.bytesPerSector);
  return g;
}

LinuxDiskProvider::LinuxDiskProvider(SystemRoots roots, std::vector<std::string> imageFiles)
    : roots_(std::move(roots)),
      imageFiles_(std::move(imageFiles)),
      systemDisks_(listDiskPaths(roots_.sys / "block", roots_.dev)),
      table_(systemDisks_, imageFiles_) {}

std::vector<DiskFacts> LinuxDiskProvider::disks() {
  // The table is full at 26 paths; whatever does not fit is left out.
  const std::size_t imagesFrom = std::min(systemDisks_.size(), table_.size());
  std::vector<DiskFacts> result;
  for (std::size_t n = 0; n < table_.size(); ++n) {
    const std::string path = *table_.path(n);
    const auto number = static_cast<std::uint32_t>(n);
    result.push_back(n >= imagesFrom ? imageFacts(number, path) : blockDiskFacts(number, path));
  }
  return result;
}

DiskFacts LinuxDiskProvider::blockDiskFacts(std::uint32_t number, const std::string& path) const {
  const std::string name = fs::path(path).filename().string();
  const fs::path entry = roots_.sys / "block" / name;
  std::error_code ec;
  const fs::path devicePath = fs::weakly_canonical(entry, ec);
  const auto udev = readUdevProperties(roots_.runUdev, readAttribute(entry / "dev"));

  DiskFacts f;
  f.number = number;
  f.path = path;
  f.busCode = busCodeOf(name, devicePath, udev);
  // An SD card in a built-in slot is reported as not removable, yet it is the very card the
  // user took out of a camera.
  const bool removable =
      readAttribute(entry / "removable") == "1" || f.busCode == storage::bus::kSd;
  f.media = removable ? storage::MediaType::Removable : storage::MediaType::Fixed;

  // The exact size: from the device when it opens, else sysfs (always in 512-byte units).
  std::uint64_t size = readNumberAttribute(entry / "size").value_or(0) * 512;
  const std::uint32_t bytesPerSector = static_cast<std::uint32_t>(
      readNumberAttribute(entry / "queue" / "logical_block_size").value_or(512));
  std::optional<DiskGeometry> geometry;
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() >= 0) {
    struct stat st {};
    std::uint64_t bytes = 0;
    if (::fstat(fd.get(), &st) == 0 && S_ISBLK(st.st_mode) &&
        ::ioctl(fd.get(), BLKGETSIZE64, &bytes) == 0) {
      size = bytes;
    }
    hd_geometry geo{};
    if (S_ISBLK(st.st_mode) && ::ioctl(fd.get(), HDIO_GETGEO, &geo) == 0 && geo.heads != 0 &&
        geo.sectors != 0) {
      // The cylinder field is only 16 bits wide; count the cylinders from the size instead.
      geometry = DiskGeometry{size / (std::uint64_t{geo.heads} * geo.sectors * 512), geo.heads,
                              geo.sectors, bytesPerSector};
    }
  }
  f.sizeBytes = size;
  // A disk without media (an empty card reader) has no geometry and is not listed.
  if (size > 0 && !geometry) geometry = synthesizedGeometry(size, bytesPerSector);
  if (size > 0) f.geometry = geometry;

  const fs::path device = entry / "device";
  if (fs::exists(device / "model", ec)) {
    f.vendor = readAttribute(device / "vendor");
    f.product = readAttribute(device / "model");
  } else if (fs::exists(device / "name", ec)) {
    f.product = readAttribute(device / "name");
  } else if (name.starts_with("loop")) {
    f.product = fs::path(readAttribute(entry / "loop" / "backing_file")).filename().string();
  } else {
    f.vendor = udevName(udev, "ID_VENDOR");
    f.product = udevName(udev, "ID_MODEL");
  }
  for (const char* attr : {"rev", "firmware_rev", "fwrev"}) {
    if (f.revision.empty()) f.revision = readAttribute(device / attr);
  }
  if (f.revision.empty()) f.revision = udevName(udev, "ID_REVISION");
  f.serial = udevValue(udev, "ID_SERIAL_SHORT");
  if (f.serial.empty()) f.serial = readAttribute(entry / "serial");
  if (f.serial.empty()) f.serial = readAttribute(device / "serial");
  return f;
}

DiskFacts LinuxDiskProvider::imageFacts(std::uint32_t number, const std::string& path) const {
  DiskFacts f;
  f.number = number;
  f.path = path;
  f.busCode = storage::bus::kFileBackedVirtual;
  f.media = storage::MediaType::Fixed;
  f.product = fs::path(path).filename().string();
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (!ec && size > 0) {
    f.sizeBytes = size;
    f.geometry = synthesizedGeometry(size, 512);
  }
  return f;
}

std::string LinuxDiskProvider::computerName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "";
  return name;
}

}  // namespace quendrix::platform
