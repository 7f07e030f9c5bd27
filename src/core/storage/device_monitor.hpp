#pragma once

#include <functional>
#include <stop_token>
#include <string>

namespace quendrix::storage {

enum class DeviceChange { Arrival, Removal };

// A block device that came or went.
struct DeviceEvent {
  DeviceChange change = DeviceChange::Arrival;
  std::string name;        // kernel name, "sdb1"
  std::string devicePath;  // "/dev/sdb1" where known
  std::string deviceType;  // "disk" or "partition"
};

struct DeviceCallbacks {
  std::function<void(const DeviceEvent&)> onArrival;
  std::function<void(const DeviceEvent&)> onRemoval;
};

// Delivers device arrivals and removals until stopped.
class DeviceMonitor {
 public:
  virtual ~DeviceMonitor() = default;
  // Registers for notifications; on failure returns the system's text for the error.
  virtual std::string start() = 0;
  // Blocks, calling back on the calling thread, until the stop is requested. start() first.
  virtual void run(const DeviceCallbacks& callbacks, std::stop_token stop) = 0;
};

}  // namespace quendrix::storage
