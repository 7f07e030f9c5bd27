#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli_context.hpp"
#include "json_text.hpp"
#include "source_arg.hpp"
#include "storage/disk_source.hpp"
#include "storage/partition_record.hpp"
#include "storage/raw_device.hpp"

namespace quendrix::cli {

// The disk behind a resolved SOURCE: "disk:N" keeps its number, an image file or device
// gets the number it has (or would get) after this machine's disks. The geometry is the
// usual 255 x 63 one.
storage::DiskSource diskSourceFor(const std::string& text, const ResolvedSource& source);

// The file system whose boot sector is sector 0 of the source ("FAT16", "exFAT", ...), when
// the source is a volume rather than a partitioned disk; empty otherwise.
std::string volumeFileSystemAt(storage::RawDeviceOpener& opener, const std::string& path);

// One line per partition: number, type, start, end (one past the last sector), size, label.
void printPartitionTable(std::ostream& out, const std::vector<storage::PartitionRecord>& parts);

void writePartitionJson(JsonText& json, const storage::PartitionRecord& partition);
void writeDiskJson(JsonText& json, const storage::DiskSource& disk);

}  // namespace quendrix::cli
