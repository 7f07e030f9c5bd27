#include "storage/bus_type.hpp"

#include <array>
#include <string_view>

namespace quendrix::storage {

std::string busTypeText(std::optional<std::uint8_t> code) {
  static constexpr std::array<std::string_view, 23> kTexts = {
      "UNKNOWN", "SCSI",  "ATAPI", "ATA",  "IEEE 1394", "SSA",      "FIBRE",   "USB",
      "RAID",    "iSCSI", "SAS",   "SATA", "SD",        "MMC",      "VIRTUAL", "FILEBACKEDVIRTUAL",
      "SPACES",  "NVME",  "SCM",   "UFS",  "MAX",       "Reserved", ""};
  if (!code || *code >= kTexts.size()) return "Other Device";
  return std::string(kTexts[*code]);
}

}  // namespace quendrix::storage
