#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "storage/device_monitor.hpp"

namespace quendrix::platform {

// A kernel uevent: "ACTION@DEVPATH" and then "KEY=VALUE" fields, each ended by a NUL.
struct Uevent {
  std::string action;
  std::string devpath;
  std::map<std::string, std::string> properties;

  std::string property(const std::string& key) const;
};

// Parses one message as the kernel sends it. Messages without the "ACTION@DEVPATH" header
// (udev's own, which start "libudev") and messages whose header and fields disagree are
// rejected.
std::optional<Uevent> parseUevent(std::string_view message);

// The arrival or removal a block-device uevent means: "add" arrives and "remove" goes; a
// "change" of a disk whose media was inserted arrives. Other subsystems and actions mean
// nothing.
std::optional<storage::DeviceEvent> blockDeviceEvent(const Uevent& event,
                                                     const std::string& devRoot = "/dev");

}  // namespace quendrix::platform
