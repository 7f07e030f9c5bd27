#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <stop_token>

#include "storage/drive_list.hpp"

namespace quendrix::storage {

// Waits, so that a device that just arrived has settled before the list is read again.
using Sleeper = std::function<void(std::chrono::milliseconds)>;
// The real sleeper: std::this_thread::sleep_for.
Sleeper threadSleeper();
// A real sleeper that returns early once the stop is requested.
Sleeper stoppableSleeper(std::stop_token stop);

inline constexpr std::chrono::milliseconds kReloadDelay{3000};

// Reloads the drive list after a device came, and retries while the user waits for a device.
class DriveReloader {
 public:
  DriveReloader(DriveList& list, Sleeper sleeper);

  // Clears the listed flag, waits 3000 ms and refreshes the tree. Returns whether the tree
  // holds drives afterwards; false at once while the list is being built.
  bool reload();

  // The user waits for a device (the no-device window is shown).
  void setWaitingForDevice(bool waiting) { waiting_ = waiting; }
  bool waitingForDevice() const { return waiting_.load(); }

  // Reloads unless a list is being built or a retry already runs. When drives are found the
  // wait ends. Returns whether this call found drives.
  bool retry();

  // A device arrived: retries when the user waits for a device, otherwise nothing changes
  // until the list is reloaded.
  void onArrival();

 private:
  DriveList& list_;
  Sleeper sleeper_;
  std::atomic<bool> retrying_{false};
  std::atomic<bool> waiting_{false};
};

}  // namespace quendrix::storage
