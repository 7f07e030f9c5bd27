#include "storage/table_partition_lister.hpp"

#include <charconv>
#include <string_view>

#include "storage/partition_listing.hpp"

namespace quendrix::storage {
namespace {

template <typename T>
T numberOf(std::string_view text) {
  T value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

DiskSource diskSourceOf(const DiskRecord& disk) {
  DiskSource source;
  source.devicePath = disk.devicePath;
  source.diskNumber = numberOf<std::uint32_t>(disk.numberText);
  source.totalSectors = numberOf<std::uint64_t>(disk.totalSectors);
  source.geometry.cylinders = numberOf<std::uint64_t>(disk.cylinders);
  source.geometry.heads = numberOf<std::uint32_t>(disk.heads);
  source.geometry.sectorsPerTrack = numberOf<std::uint32_t>(disk.sectorsPerTrack);
  if (source.geometry.heads == 0 || source.geometry.sectorsPerTrack == 0) {
    source.geometry = DiskGeometry::synthesized(source.totalSectors);
  }
  return source;
}

void TablePartitionLister::listPartitions(const DiskRecord& disk, const Add& add) {
  PartitionListOptions options;
  options.mode = mode_;
  const auto listing = storage::listPartitions(opener_, diskSourceOf(disk), reporter_, options);
  for (const auto& p : listing.table.entries()) {
    add(PartitionTreeEntry{p.label, p.typeName, p.number, p.start, p.end});
  }
}

}  // namespace quendrix::storage
