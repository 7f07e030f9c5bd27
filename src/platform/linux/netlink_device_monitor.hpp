#pragma once

#include <string>

#include "storage/device_monitor.hpp"

namespace quendrix::platform {

// Block-device arrivals and removals from the kernel's uevent broadcast (a
// NETLINK_KOBJECT_UEVENT socket), so no udev daemon is needed.
class NetlinkDeviceMonitor final : public storage::DeviceMonitor {
 public:
  NetlinkDeviceMonitor() = default;
  ~NetlinkDeviceMonitor() override;
  NetlinkDeviceMonitor(const NetlinkDeviceMonitor&) = delete;
  NetlinkDeviceMonitor& operator=(const NetlinkDeviceMonitor&) = delete;

  std::string start() override;
  void run(const storage::DeviceCallbacks& callbacks, std::stop_token stop) override;

 private:
  int socket_ = -1;
};

}  // namespace quendrix::platform
