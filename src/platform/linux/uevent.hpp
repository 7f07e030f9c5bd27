#pragma once

#include <functional>
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

// Whether the named block device holds media now (its size is not 0).
using MediaProbe = std::function<bool(const std::string& name)>;

// The arrival or removal a block-device uevent means: "add" arrives and "remove" goes. A
// "change" that says the media changed (a card put into or taken out of a reader), and any
// "change" of a loop device (attached or detached), arrives or goes by whether the device
// holds media now. Other subsystems and actions mean nothing.
std::optional<storage::DeviceEvent> blockDeviceEvent(const Uevent& event,
                                                     const std::string& devRoot,
                                                     const MediaProbe& hasMedia);

}  // namespace quendrix::platform
