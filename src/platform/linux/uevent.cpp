#include "uevent.hpp"

namespace quendrix::platform {

std::string Uevent::property(const std::string& key) const {
  const auto it = properties.find(key);
  return it == properties.end() ? "" : it->second;
}

std::optional<Uevent> parseUevent(std::string_view message) {
  const auto headerEnd = message.find('\0');
  const std::string_view header = message.substr(0, headerEnd);
  const auto at = header.find('@');
  if (at == std::string_view::npos || at == 0 || at + 1 >= header.size()) return std::nullopt;
  Uevent event;
  event.action = std::string(header.substr(0, at));
  event.devpath = std::string(header.substr(at + 1));
  std::size_t pos = headerEnd == std::string_view::npos ? message.size() : headerEnd + 1;
  while (pos < message.size()) {
    auto end = message.find('\0', pos);
    if (end == std::string_view::npos) end = message.size();
    const std::string_view field = message.substr(pos, end - pos);
    const auto eq = field.find('=');
    if (eq != std::string_view::npos && eq > 0) {
      event.properties[std::string(field.substr(0, eq))] = std::string(field.substr(eq + 1));
    }
    pos = end + 1;
  }
  const auto action = event.properties.find("ACTION");
  const auto devpath = event.properties.find("DEVPATH");
  if ((action != event.properties.end() && action->second != event.action) ||
      (devpath != event.properties.end() && devpath->second != event.devpath)) {
    return std::nullopt;
  }
  return event;
}

std::optional<storage::DeviceEvent> blockDeviceEvent(const Uevent& event,
                                                     const std::string& devRoot,
                                                     const MediaProbe& hasMedia) {
  if (event.property("SUBSYSTEM") != "block") return std::nullopt;
  storage::DeviceEvent out;
  out.name = event.property("DEVNAME");
  if (out.name.empty()) {
    const auto slash = event.devpath.rfind('/');
    out.name = event.devpath.substr(slash == std::string::npos ? 0 : slash + 1);
  } else if (const auto slash = out.name.rfind('/'); slash != std::string::npos) {
    out.name = out.name.substr(slash + 1);
  }
  if (out.name.empty() || out.name == "." || out.name == "..") return std::nullopt;
  if (event.action == "add") {
    out.change = storage::DeviceChange::Arrival;
  } else if (event.action == "remove") {
    out.change = storage::DeviceChange::Removal;
  } else if (event.action == "change" &&
             (event.property("DISK_MEDIA_CHANGE") == "1" || out.name.starts_with("loop"))) {
    out.change = hasMedia && hasMedia(out.name) ? storage::DeviceChange::Arrival
                                                : storage::DeviceChange::Removal;
  } else {
    return std::nullopt;
  }
  out.devicePath = devRoot + "/" + out.name;
  out.deviceType = event.property("DEVTYPE");
  return out;
}

}  // namespace quendrix::platform
