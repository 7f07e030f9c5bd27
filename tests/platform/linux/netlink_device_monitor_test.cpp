#include "netlink_device_monitor.hpp"

#include <gtest/gtest.h>

#include <thread>

namespace quendrix::platform {
namespace {

TEST(NetlinkDeviceMonitorTest, RunEndsWhenStopIsRequested) {
  NetlinkDeviceMonitor monitor;
  if (const std::string failure = monitor.start(); !failure.empty()) {
    GTEST_SKIP() << "no uevent socket here: " << failure;
  }
  std::stop_source stop;
  std::jthread stopper([&stop] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop.request_stop();
  });
  monitor.run({}, stop.get_token());  // returns instead of waiting for the next event
  SUCCEED();
}

TEST(NetlinkDeviceMonitorTest, RunWithoutStartReturns) {
  NetlinkDeviceMonitor monitor;
  std::stop_source stop;
  monitor.run({}, stop.get_token());
  SUCCEED();
}

}  // namespace
}  // namespace quendrix::platform
