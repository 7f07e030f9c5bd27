#pragma once

#include <cstdint>
#include <string>

namespace quendrix::storage {

// A byte count as shown everywhere: "512 Byte" below 1024, else "%6.2f %cB" in units of 1024
// ("  7.45 GB"; left-padded to six characters, callers trim where they compose labels).
std::string sizeText(std::uint64_t bytes);

// sizeText without the leading padding.
std::string trimmedSizeText(std::uint64_t bytes);

}  // namespace quendrix::storage
