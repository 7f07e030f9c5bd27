#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quendrix::storage {

// Bus-type codes as a storage adapter reports them.
namespace bus {
inline constexpr std::uint8_t kUnknown = 0;
inline constexpr std::uint8_t kScsi = 1;
inline constexpr std::uint8_t kAtapi = 2;
inline constexpr std::uint8_t kAta = 3;
inline constexpr std::uint8_t kUsb = 7;
inline constexpr std::uint8_t kSata = 11;
inline constexpr std::uint8_t kSd = 12;
inline constexpr std::uint8_t kMmc = 13;
inline constexpr std::uint8_t kVirtual = 14;
inline constexpr std::uint8_t kFileBackedVirtual = 15;
inline constexpr std::uint8_t kNvme = 17;
}  // namespace bus

// The bus text of a code ("USB", "SATA", ...). No code (the query failed) and codes past the
// table give "Other Device"; code 22 gives the empty text.
std::string busTypeText(std::optional<std::uint8_t> code);

}  // namespace quendrix::storage
