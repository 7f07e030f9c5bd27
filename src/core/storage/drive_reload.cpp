#include "storage/drive_reload.hpp"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quendrix::storage {

Sleeper threadSleeper() {
  return [](std::chrono::milliseconds delay) { std::this_thread::sleep_for(delay); };
}

Sleeper stoppableSleeper(std::stop_token stop) {
  return [stop](std::chrono::milliseconds delay) {
    std::mutex mutex;
    std::condition_variable wake;
    std::stop_callback onStop(stop, [&] {
      std::lock_guard guard(mutex);
      wake.notify_all();
    });
    std::unique_lock lock(mutex);
    wake.wait_for(lock, delay, [&stop] { return stop.stop_requested(); });
  };
}

DriveReloader::DriveReloader(DriveList& list, Sleeper sleeper)
    : list_(list), sleeper_(std::move(sleeper)) {}

bool DriveReloader::reload() {
  if (list_.building()) return false;
  list_.clearListedFlag();
  sleeper_(kReloadDelay);
  list_.refresh(RefreshReason::FirstFill);
  return list_.holdsDrives();
}

bool DriveReloader::retry() {
  if (list_.building()) return false;
  bool expected = false;
  if (!retrying_.compare_exchange_strong(expected, true)) return false;
  const bool found = reload();
  if (found) waiting_ = false;
  retrying_ = false;
  return found;
}

void DriveReloader::onArrival() {
  if (waiting_) retry();
}

}  // namespace quendrix::storage
