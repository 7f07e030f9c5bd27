#pragma once

#include <cstdint>
#include <string>

namespace quendrix::storage {

// The record behind every disk item and every volume item of a drive tree. A disk fills the
// geometry and identity texts; a volume fills the file-system texts and its extent on the
// physical disk. Fields a kind does not use stay empty or 0.
struct DiskRecord {
  std::string label;        // the item text
  std::string kind;         // disk: media text; volume: "Logical Drives"
  std::string modeName;     // "Photo Search", ... by the current search mode
  std::string startText;    // volume: "0"
  std::string sectorsText;  // volume: total sectors, decimal
  std::string fileSystem;   // volume: file-system name
  std::string driveLetter;  // volume: where it is mounted (its root path)
  std::string volumeLabel;
  std::string sizeText;              // volume: total size text
  std::string freeText;              // volume: free space text
  std::string serialText;            // volume: serial number
  std::uint64_t currentSizeMib = 0;  // volume: the size in MiB current when it was listed
  std::uint32_t reservedWord = 0;
  std::uint64_t totalBytes = 0;   // volume: total size in bytes
  std::uint32_t diskNumber = 0;   // volume: the physical disk holding it
  std::uint32_t dynamicFlag = 0;  // volume: 1 when that disk holds a dynamic-disk partition
  std::uint64_t endSector = 0;    // volume: end on its physical disk (one past the last)
  std::uint64_t startSector = 0;  // volume: start on its physical disk
  std::string numberText;         // disk: "0", "1", ...
  std::string diskName;           // disk: "Disk0", ...
  std::string model;
  std::string summary;  // disk: size text " - " media text
  std::string modelCopy;
  std::string media;
  std::string bus;
  std::string capacity;
  std::string cylinders;
  std::string heads;
  std::string totalSectors;
  std::string bytesPerSector;
  std::string sectorsPerTrack;
  std::string firmwareRevision;
  std::string vendor;  // always empty: the vendor is part of the model
  std::string serialNumber;
  std::string systemName;
  std::string devicePath;     // the path the disk or volume is read through
  std::uint64_t sizeMib = 0;  // disk: total size in MiB
};

}  // namespace quendrix::storage
