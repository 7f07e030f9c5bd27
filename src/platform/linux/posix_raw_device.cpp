#include "posix_raw_device.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace quendrix::platform {
namespace {

class PosixRawDevice final : public storage::RawDevice {
 public:
  explicit PosixRawDevice(int fd) : fd_(fd) {}
  ~PosixRawDevice() override { ::close(fd_); }
  PosixRawDevice(const PosixRawDevice&) = delete;
  PosixRawDevice& operator=(const PosixRawDevice&) = delete;

  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      const std::uint64_t at = offset + done;
      if (at > static_cast<std::uint64_t>(INT64_MAX)) break;  // beyond any device: nothing there
      const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(at));
      if (n < 0) {
        if (errno == EINTR) continue;
        // A position past the end of a block device can fail with EINVAL; that is the end.
        if (errno == EINVAL && done > 0) break;
        return std::nullopt;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

  std::optional<std::uint64_t> sizeBytes() const override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return std::nullopt;
    if (S_ISBLK(st.st_mode)) {
      std::uint64_t bytes = 0;
      if (::ioctl(fd_, BLKGETSIZE64, &bytes) != 0) return std::nullopt;
      return bytes;
    }
    if (S_ISREG(st.st_mode)) return static_cast<std::uint64_t>(st.st_size);
    return std::nullopt;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<storage::RawDevice> PosixDeviceOpener::open(std::string_view path) {
  const std::string p(path);
  int fd;
  do {
    fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixRawDevice>(fd);
}

}  // namespace quendrix::platform
