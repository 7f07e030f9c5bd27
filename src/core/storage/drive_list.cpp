#include "storage/drive_list.hpp"

#include <algorithm>

#include "storage/disk_details.hpp"
#include "storage/volume_details.hpp"

namespace quendrix::storage {
namespace {

// Raises a flag for the lifetime of a scope.
class FlagRaised {
 public:
  explicit FlagRaised(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
  ~FlagRaised() { flag_ = false; }
  FlagRaised(const FlagRaised&) = delete;
  FlagRaised& operator=(const FlagRaised&) = delete;

 private:
  std::atomic<bool>& flag_;
};

}  // namespace

DriveList::DriveList(DiskProvider& disks, VolumeProvider& volumes, PartitionLister& partitions)
    : disks_(disks), volumes_(volumes), partitions_(partitions) {
  root_.text = kMyComputer;
  root_.children.push_back(DriveTreeItem{std::string(kPhysicalDrives), {}, {}, {}});
}

void DriveList::setShowLogicalDrives(bool show) {
  auto& items = root_.children;
  const bool shown = logicalBranch() != nullptr;
  if (show && !shown) {
    items.push_back(DriveTreeItem{std::string(kLogicalDrives), {}, {}, {}});
  } else if (!show && shown) {
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const DriveTreeItem& i) { return i.text == kLogicalDrives; }),
                items.end());
  }
}

DriveTreeItem* DriveList::logicalBranch() {
  for (auto& item : root_.children) {
    if (item.text == kLogicalDrives) return &item;
  }
  return nullptr;
}

const DriveTreeItem* DriveList::logicalDrives() const {
  for (const auto& item : root_.children) {
    if (item.text == kLogicalDrives) return &item;
  }
  return nullptr;
}

void DriveList::refresh(RefreshReason reason) {
  FlagRaised raised(building_);
  if (reason == RefreshReason::FirstFill) {
    volumeList_.clear();
    listPhysicalDisks();
  }
  if (logicalBranch() != nullptr) listLogicalDrives("ALL");
}

void DriveList::listPhysicalDisks() {
  deviceList_.clear();
  computerName_ = disks_.computerName();
  auto& branch = root_.children.front();
  branch.children.clear();
  for (const DiskFacts& facts : disks_.disks()) {
    // A disk that cannot be queried for its geometry is not listed.
    if (facts.number >= kListedDiskNumbers || !facts.geometry) continue;
    DriveTreeItem item;
    item.record = makeDiskRecord(facts, mode_, computerName_);
    item.text = item.record->label;
    for (auto& part : partitions_.partitionsOf(*item.record)) {
      item.children.push_back(DriveTreeItem{part.label, {}, part, {}});
    }
    deviceList_.push_back(deviceListLine(*item.record));
    branch.children.push_back(std::move(item));
  }
  std::stable_sort(branch.children.begin(), branch.children.end(),
                   [](const DriveTreeItem& a, const DriveTreeItem& b) { return a.text < b.text; });
}

void DriveList::listLogicalDrives(std::string_view filter) {
  DriveTreeItem* branch = logicalBranch();
  if (branch == nullptr || listed_) return;
  branch->children.clear();
  volumeList_.clear();
  for (const VolumeFacts& facts : volumes_.volumes()) {
    if (facts.rootPath == filter) continue;
    DriveTreeItem item;
    item.record = makeVolumeRecord(facts, mode_);
    item.text = item.record->label;
    volumeList_.push_back(volumeListLine(*item.record));
    branch->children.push_back(std::move(item));
  }
  listed_ = true;
}

bool DriveList::holdsDrives() const {
  const DriveTreeItem* logical = logicalDrives();
  return (logical != nullptr && !logical->children.empty()) || !physicalDrives().children.empty();
}

const DiskRecord* DriveList::disk(std::uint32_t number) const {
  for (const auto& item : physicalDrives().children) {
    if (item.record && item.record->numberText == std::to_string(number)) return &*item.record;
  }
  return nullptr;
}

}  // namespace quendrix::storage
