#pragma once

#include <string>

#include "storage/device_monitor.hpp"
#include "system_roots.hpp"

namespace quendrix::platform {

// Block-device arrivals and removals from the kernel's uevent broadcast (a
// NETLINK_KOBJECT_UEVENT socket), so no udev daemon is needed. A device is reported again only
// when it changed between present and gone.
class NetlinkDeviceMonitor final : public storage::DeviceMonitor {
 public:
  explicit NetlinkDeviceMonitor(SystemRoots roots = {}) : roots_(std::move(roots)) {}
  ~NetlinkDeviceMonitor() override;
  NetlinkDeviceMonitor(const NetlinkDeviceMonitor&) = delete;
  NetlinkDeviceMonitor& operator=(const NetlinkDeviceMonitor&) = delete;

  std::string start() override;
  void run(const storage::DeviceCallbacks& callbacks, std::stop_token stop) override;

 private:
  SystemRoots roots_;
  int socket_ = -1;
};

}  // namespace quendrix::platform
