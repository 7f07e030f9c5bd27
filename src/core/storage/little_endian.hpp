#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quendrix::storage {

// Bounds-checked little-endian reads from on-disk bytes. A read that would leave the span
// yields nullopt (the checked forms) or 0 (the *Or0 forms used where a zero reads as "absent").

template <typename T>
std::optional<T> readLe(std::span<const std::byte> bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
  T value = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    value |= static_cast<T>(static_cast<T>(std::to_integer<std::uint8_t>(bytes[offset + i]))
                            << (8 * i));
  }
  return value;
}

inline std::optional<std::uint8_t> readU8(std::span<const std::byte> b, std::size_t off) {
  return readLe<std::uint8_t>(b, off);
}
inline std::optional<std::uint16_t> readU16(std::span<const std::byte> b, std::size_t off) {
  return readLe<std::uint16_t>(b, off);
}
inline std::optional<std::uint32_t> readU32(std::span<const std::byte> b, std::size_t off) {
  return readLe<std::uint32_t>(b, off);
}
inline std::optional<std::uint64_t> readU64(std::span<const std::byte> b, std::size_t off) {
  return readLe<std::uint64_t>(b, off);
}

inline std::uint8_t u8Or0(std::span<const std::byte> b, std::size_t off) {
  return readU8(b, off).value_or(0);
}
inline std::uint16_t u16Or0(std::span<const std::byte> b, std::size_t off) {
  return readU16(b, off).value_or(0);
}
inline std::uint32_t u32Or0(std::span<const std::byte> b, std::size_t off) {
  return readU32(b, off).value_or(0);
}
inline std::uint64_t u64Or0(std::span<const std::byte> b, std::size_t off) {
  return readU64(b, off).value_or(0);
}

}  // namespace quendrix::storage
