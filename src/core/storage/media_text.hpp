#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quendrix::storage {

// Media types of a drive's geometry.
enum class MediaType : std::uint32_t {
  Unknown = 0,
  Removable = 11,
  Fixed = 12,
};

// "Removable Media", "External hard disk media" (fixed media on USB), "Fixed hard disk media",
// or empty for any other media type.
std::string mediaText(MediaType media, std::string_view busText);

}  // namespace quendrix::storage
