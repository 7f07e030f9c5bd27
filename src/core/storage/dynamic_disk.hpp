#pragma once

#include <string_view>

#include "storage/raw_device.hpp"

namespace quendrix::storage {

// Whether the disk's partition table holds a dynamic-disk partition: an MBR entry of type
// 0x42, or a GPT entry of the dynamic-disk data type (AF9B60A0-1431-4F62-BC68-3311714A69AD).
// An unreadable disk or a disk without a table holds none.
bool holdsDynamicDiskPartition(RawDeviceOpener& opener, std::string_view diskPath);

}  // namespace quendrix::storage
