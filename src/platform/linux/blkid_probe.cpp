#include "blkid_probe.hpp"

#include <blkid.h>
#include <fcntl.h>
#include <unistd.h>

namespace quendrix::platform {

std::optional<ProbedFileSystem> probeFileSystem(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  blkid_probe probe = blkid_new_probe();
  std::optional<ProbedFileSystem> result;
  if (probe != nullptr && blkid_probe_set_device(probe, fd, 0, 0) == 0) {
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(
        probe, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION | BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
    if (blkid_do_safeprobe(probe) == 0) {
      auto value = [probe](const char* name) {
        const char* data = nullptr;
        return blkid_probe_lookup_value(probe, name, &data, nullptr) == 0 && data != nullptr
                   ? std::string(data)
                   : std::string();
      };
      result = ProbedFileSystem{value("TYPE"), value("VERSION"), value("LABEL"), value("UUID")};
    }
  }
  if (probe != nullptr) blkid_free_probe(probe);
  ::close(fd);
  return result;
}

}  // namespace quendrix::platform
