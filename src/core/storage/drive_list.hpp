#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/error_guard.hpp"
#include "search_mode.hpp"
#include "storage/disk_provider.hpp"
#include "storage/disk_record.hpp"
#include "storage/partition_lister.hpp"
#include "storage/volume_provider.hpp"

namespace quendrix::storage {

// One item of a drive tree: a plain text, and the record of a disk or volume, or the entry of
// a partition, behind it.
struct DriveTreeItem {
  std::string text;
  std::optional<DiskRecord> record;
  std::optional<PartitionTreeEntry> partition;
  std::vector<DriveTreeItem> children;
};

inline constexpr std::string_view kMyComputer = "My Computer";
inline constexpr std::string_view kPhysicalDrives = "Physical Drives";
inline constexpr std::string_view kLogicalDrives = "Logical Drives";

// Why the drive tree is refreshed.
enum class RefreshReason {
  FirstFill = 0,            // a search window fills its tree, or the drive list is reloaded
  LogicalDrivesTicked = 2,  // the show-logical-drives box was ticked
};

// The drive tree of a search window, with the device list and the volume list built with it:
// "My Computer", under it "Physical Drives" (disks, each with its partitions) and, when shown,
// "Logical Drives" (mounted volumes).
class DriveList {
 public:
  DriveList(DiskProvider& disks, VolumeProvider& volumes, PartitionLister& partitions);

  void setMode(SearchMode mode) { mode_ = mode; }
  // Where faults of the listing steps are reported; a failed step is skipped and the listing
  // goes on. Without a reporter they are dropped.
  void setReporter(diagnostics::ErrorReporter* reporter) { reporter_ = reporter; }
  // Adds or removes the "Logical Drives" branch.
  void setShowLogicalDrives(bool show);

  void refresh(RefreshReason reason);
  // Lists disks 0 to 24 under "Physical Drives", replacing what was there.
  void listPhysicalDisks();
  // Lists the mounted volumes under "Logical Drives", skipping the one whose root path equals
  // the filter ("ALL" skips none). Lists nothing while the listed flag is set.
  void listLogicalDrives(std::string_view filter = "ALL");
  void clearListedFlag() { listed_ = false; }
  bool listedFlag() const { return listed_; }

  // Raised while the tree is being built.
  bool building() const { return building_.load(); }
  // Whether "Logical Drives" (when shown) or "Physical Drives" holds items.
  bool holdsDrives() const;

  const DriveTreeItem& root() const { return root_; }
  const DriveTreeItem& physicalDrives() const { return root_.children.front(); }
  const DriveTreeItem* logicalDrives() const;
  // The record of disk number n, when it is listed.
  const DiskRecord* disk(std::uint32_t number) const;

  // "model||size||total sectors||number" per listed disk, in listing order.
  const std::vector<std::string>& deviceList() const { return deviceList_; }
  // "path|total sectors" per listed volume.
  const std::vector<std::string>& volumeList() const { return volumeList_; }
  const std::string& computerName() const { return computerName_; }

 private:
  DriveTreeItem* logicalBranch();
  bool step(const char* code, const char* operation, const std::function<void()>& work);

  DiskProvider& disks_;
  VolumeProvider& volumes_;
  PartitionLister& partitions_;
  diagnostics::ErrorReporter* reporter_ = nullptr;
  SearchMode mode_ = SearchMode::None;
  bool listed_ = false;
  std::atomic<bool> building_{false};
  DriveTreeItem root_;
  std::vector<std::string> deviceList_;
  std::vector<std::string> volumeList_;
  std::string computerName_;
};

}  // namespace quendrix::storage
