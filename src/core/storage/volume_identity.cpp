#include "storage/volume_identity.hpp"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace quendrix::storage {

std::string fileSystemName(std::string_view type, std::string_view version) {
  if (type == "vfat" || type == "msdos") {
    if (version == "FAT32") return "FAT32";
    if (version == "FAT12") return "FAT12";
    if (version == "FAT16") return "FAT16";
    return "FAT";  // width unknown
  }
  if (type == "ntfs" || type == "ntfs3") return "NTFS";
  if (type == "exfat") return "exFAT";
  return std::string(type);
}

std::string volumeSerialText(std::string_view type, std::string_view uuid) {
  std::string hex;
  for (char c : uuid) {
    if (c != '-') hex += c;
  }
  const bool fat = type == "vfat" || type == "msdos" || type == "exfat";
  const bool ntfs = type == "ntfs" || type == "ntfs3";
  if ((!fat && !ntfs) || hex.empty()) return std::string(uuid);
  if (ntfs && hex.size() > 8) hex = hex.substr(hex.size() - 8);
  if (hex.size() > 8) return std::string(uuid);
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
  if (ec != std::errc() || end != hex.data() + hex.size()) return std::string(uuid);
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

}  // namespace quendrix::storage
