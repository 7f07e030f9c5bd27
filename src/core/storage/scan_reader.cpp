#include "storage/scan_reader.hpp"

#include <algorithm>

namespace quendrix::storage {

std::unique_ptr<ScanReader> ScanReader::open(RawDeviceOpener& opener, std::string_view path) {
  auto device = opener.open(path);
  if (!device) return nullptr;
  return std::make_unique<ScanReader>(std::move(device));
}

std::optional<std::size_t> ScanReader::read(SectorNumber firstSector,
                                            std::span<std::byte> buffer) {
  if (firstSector > (~std::uint64_t{0} >> kSectorShift)) return std::nullopt;
  auto whole = buffer.first(buffer.size() - buffer.size() % kSectorSize);
  auto got = device_->readAt(sectorToByte(firstSector), whole);
  if (!got) return std::nullopt;
  const std::size_t n = std::min(*got, whole.size());
  std::fill(whole.begin() + static_cast<std::ptrdiff_t>(n), whole.end(), std::byte{0});
  return n;
}

}  // namespace quendrix::storage
