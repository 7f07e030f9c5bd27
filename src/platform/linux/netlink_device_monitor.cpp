#include "netlink_device_monitor.hpp"

#include <fcntl.h>
#include <linux/netlink.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>

#include "sysfs_text.hpp"
#include "uevent.hpp"

namespace quendrix::platform {
namespace {

// The kernel's own multicast group; udev re-broadcasts on group 2.
constexpr unsigned kKernelGroup = 1;

}  // namespace

NetlinkDeviceMonitor::~NetlinkDeviceMonitor() {
  if (socket_ >= 0) ::close(socket_);
}

std::string NetlinkDeviceMonitor::start() {
  if (socket_ >= 0) return "";
  const int fd =
      ::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_KOBJECT_UEVENT);
  if (fd < 0) return std::strerror(errno);
  sockaddr_nl address{};
  address.nl_family = AF_NETLINK;
  address.nl_groups = kKernelGroup;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    const std::string reason = std::strerror(errno);
    ::close(fd);
    return reason;
  }
  socket_ = fd;
  return "";
}

void NetlinkDeviceMonitor::run(const storage::DeviceCallbacks& callbacks, std::stop_token stop) {
  if (socket_ < 0) return;
  int wake[2];
  if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) return;
  {
    std::stop_callback onStop(stop, [&wake] {
      const char byte = 1;
      [[maybe_unused]] const auto n = ::write(wake[1], &byte, 1);
    });
    std::array<char, 8192> buffer{};
    std::map<std::string, bool> present;
    const MediaProbe hasMedia = [this](const std::string& name) {
      return readNumberAttribute(roots_.sys / "class" / "block" / name / "size").value_or(0) > 0;
    };
    while (!stop.stop_requested()) {
      pollfd fds[2] = {{socket_, POLLIN, 0}, {wake[0], POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if ((fds[1].revents & POLLIN) != 0) break;
      if ((fds[0].revents & POLLIN) == 0) continue;
      sockaddr_nl sender{};
      iovec io{buffer.data(), buffer.size()};
      msghdr message{};
      message.msg_name = &sender;
      message.msg_namelen = sizeof sender;
      message.msg_iov = &io;
      message.msg_iovlen = 1;
      const ssize_t n = ::recvmsg(socket_, &message, 0);
      if (n <= 0) continue;
      // Only the kernel (port 0) is believed; anything else could be forged by a user process.
      if (sender.nl_pid != 0 || (message.msg_flags & MSG_TRUNC) != 0) continue;
      const auto uevent = parseUevent(std::string_view(buffer.data(), static_cast<size_t>(n)));
      if (!uevent) continue;
      const auto event = blockDeviceEvent(*uevent, roots_.dev.string(), hasMedia);
      if (!event) continue;
      const bool nowPresent = event->change == storage::DeviceChange::Arrival;
      const auto known = present.find(event->name);
      if (known != present.end() && known->second == nowPresent) continue;
      present[event->name] = nowPresent;
      const auto& callback = event->change == storage::DeviceChange::Arrival ? callbacks.onArrival
                                                                             : callbacks.onRemoval;
      if (callback) callback(*event);
    }
  }
  ::close(wake[0]);
  ::close(wake[1]);
}

}  // namespace quendrix::platform
