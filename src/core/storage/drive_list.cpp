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

class DroppingReporter final : public diagnostics::ErrorReporter {
 public:
  void report(const diagnostics::ErrorIdentity&, const std::string&) override {}
};

constexpr const char* kListDisks = "List info of all connected disk";
constexpr const char* kFetching = "Fetching drive details...";
constexpr const char* kPartitions = "Scanning for drive partition...";

// The step that inserts a disk item into the tree of each search window.
const char* insertStepCode(SearchMode mode) {
  switch (mode) {
    case SearchMode::Basic:
      return "1E_E";
    case SearchMode::Deep:
      return "1E_F";
    case SearchMode::Video:
      return "1E_H";
    case SearchMode::Signature:
      return "1E_I";
    default:
      return "1E_G";
  }
}

}  // namespace

bool DriveList::step(const char* code, const char* operation, const std::function<void()>& work) {
  DroppingReporter dropping;
  diagnostics::ErrorReporter& reporter = reporter_ != nullptr ? *reporter_ : dropping;
  return diagnostics::guardStep(
      reporter, {code, "LD", diagnostics::recoveryModeLabel(mode_), operation}, work);
}

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
  step("1D", kFetching, [&] {
    if (reason == RefreshReason::FirstFill) {
      volumeList_.clear();
      listPhysicalDisks();
    }
    if (logicalBranch() != nullptr) listLogicalDrives("ALL");
  });
}

void DriveList::listPhysicalDisks() {
  deviceList_.clear();
  computerName_ = disks_.computerName();
  auto& branch = root_.children.front();
  branch.children.clear();
  std::vector<DiskFacts> found;
  step("1E_A", kListDisks, [&] { found = disks_.disks(); });
  for (const DiskFacts& facts : found) {
    // A disk that cannot be queried for its geometry is not listed.
    if (facts.number >= kListedDiskNumbers || !facts.geometry) continue;
    DriveTreeItem item;
    if (!step("1E_D", kListDisks,
              [&] { item.record = makeDiskRecord(facts, mode_, computerName_); })) {
      continue;
    }
    item.text = item.record->label;
    // A fault while reading the partitions keeps the disk with those listed so far.
    step("1H", kPartitions, [&] {
      partitions_.listPartitions(*item.record, [&item](PartitionTreeEntry part) {
        std::string label = part.label;
        item.children.push_back(DriveTreeItem{std::move(label), {}, std::move(part), {}});
      });
    });
    const DiskRecord record = *item.record;
    if (step(insertStepCode(mode_), kListDisks,
             [&] { branch.children.push_back(std::move(item)); })) {
      step("1E_J", kListDisks, [&] { deviceList_.push_back(deviceListLine(record)); });
    }
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
