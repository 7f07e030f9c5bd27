#pragma once

#include <cstdint>

namespace quendrix::storage {

// Addressing always uses 512-byte sectors, whatever a device reports about itself.
inline constexpr std::uint32_t kSectorSize = 512;
inline constexpr unsigned kSectorShift = 9;

using SectorNumber = std::uint64_t;

constexpr std::uint64_t sectorToByte(SectorNumber sector) { return sector << kSectorShift; }
constexpr SectorNumber byteToSector(std::uint64_t byte) { return byte >> kSectorShift; }

}  // namespace quendrix::storage
