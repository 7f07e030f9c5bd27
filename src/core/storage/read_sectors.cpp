#include "storage/read_sectors.hpp"

#include <algorithm>

namespace quendrix::storage {

bool ReadSectors(RawDeviceOpener& opener, std::uint32_t count, std::string_view devicePath,
                 SectorNumber firstSector, std::span<std::byte> buffer, ReadBound bound) {
  const std::uint64_t wanted = static_cast<std::uint64_t>(count) * kSectorSize;
  if (buffer.size() < wanted) return false;
  auto device = opener.open(devicePath);
  if (!device) return false;
  const std::uint64_t position = sectorToByte(firstSector);
  // A sector number so large that the shift overflowed cannot name a real position.
  if (firstSector > (~std::uint64_t{0} >> kSectorShift)) return false;
  if (bound.active && position > bound.volumeEndBytes) return false;
  auto target = buffer.first(static_cast<std::size_t>(wanted));
  auto got = device->readAt(position, target);
  if (!got) return false;
  std::fill(target.begin() + static_cast<std::ptrdiff_t>(std::min(*got, target.size())),
            target.end(), std::byte{0});
  return true;
}

}  // namespace quendrix::storage
