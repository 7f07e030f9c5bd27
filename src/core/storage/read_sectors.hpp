#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "storage/raw_device.hpp"
#include "storage/sector.hpp"

namespace quendrix::storage {

// While a Basic or Deep scan is past its first stage, reads beyond the volume under scan fail.
// The scan owns the stage and the volume end and passes them in.
struct ReadBound {
  bool active = false;
  std::uint64_t volumeEndBytes = 0;

  static ReadBound none() { return {}; }
  static ReadBound forScan(int scanStage, std::uint64_t volumeEndBytes) {
    return {scanStage > 0, volumeEndBytes};
  }
};

// The short read shared by the partition, file-system and saving readers: opens the path,
// reads count sectors from firstSector into buffer (which must hold count * 512 bytes) and
// closes it again. A read cut short by the end of the device still succeeds; the part of the
// buffer it did not reach is zero-filled, so nothing stale is taken for a structure.
bool ReadSectors(RawDeviceOpener& opener, std::uint32_t count, std::string_view devicePath,
                 SectorNumber firstSector, std::span<std::byte> buffer,
                 ReadBound bound = ReadBound::none());

}  // namespace quendrix::storage
