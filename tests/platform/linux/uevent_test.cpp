#include "uevent.hpp"

#include <gtest/gtest.h>

namespace quendrix::platform {
namespace {

using namespace std::string_literals;
using storage::DeviceChange;

struct Case {
  std::string message;
  bool event;  // whether it means an arrival or removal
  DeviceChange change = DeviceChange::Arrival;
  std::string name = {};
  std::string type = {};
};

TEST(UeventTest, BlockEventsFromKernelMessages) {
  const std::vector<Case> cases = {
      {"add@/devices/pci0000:00/usb1/1-1/host6/block/sdb\0ACTION=add\0"
       "DEVPATH=/devices/pci0000:00/usb1/1-1/host6/block/sdb\0SUBSYSTEM=block\0MAJOR=8\0"
       "MINOR=16\0DEVNAME=sdb\0DEVTYPE=disk\0SEQNUM=4711\0"s,
       true, DeviceChange::Arrival, "sdb", "disk"},
      {"remove@/devices/x/block/sdb/sdb1\0ACTION=remove\0DEVPATH=/devices/x/block/sdb/sdb1\0"
       "SUBSYSTEM=block\0DEVNAME=sdb1\0DEVTYPE=partition\0"s,
       true, DeviceChange::Removal, "sdb1", "partition"},
      // A card put into a reader whose disk stays, and one taken out (sdd has no media).
      {"change@/devices/x/block/sdc\0ACTION=change\0DEVPATH=/devices/x/block/sdc\0"
       "SUBSYSTEM=block\0DEVNAME=sdc\0DEVTYPE=disk\0DISK_MEDIA_CHANGE=1\0"s,
       true, DeviceChange::Arrival, "sdc", "disk"},
      {"change@/devices/x/block/sdd\0ACTION=change\0SUBSYSTEM=block\0DEVNAME=sdd\0"
       "DISK_MEDIA_CHANGE=1\0"s,
       true, DeviceChange::Removal, "sdd", ""},
      // A loop device attached (loop0 has a size) and one detached.
      {"change@/devices/virtual/block/loop0\0ACTION=change\0SUBSYSTEM=block\0DEVNAME=loop0\0"s,
       true, DeviceChange::Arrival, "loop0", ""},
      {"change@/devices/virtual/block/loop1\0ACTION=change\0SUBSYSTEM=block\0DEVNAME=loop1\0"s,
       true, DeviceChange::Removal, "loop1", ""},
      // Other changes mean nothing.
      {"change@/devices/x/block/sdc\0ACTION=change\0SUBSYSTEM=block\0DEVNAME=sdc\0"s, false},
      // No DEVNAME: the name is the last part of the path.
      {"add@/devices/virtual/block/loop7\0ACTION=add\0SUBSYSTEM=block\0"s, true,
       DeviceChange::Arrival, "loop7", ""},
      // A DEVNAME with folders keeps only its name.
      {"add@/devices/x/block/sdz\0ACTION=add\0SUBSYSTEM=block\0DEVNAME=../../etc/sdz\0"s, true,
       DeviceChange::Arrival, "sdz", ""},
      {"add@/devices/pci0000:00/usb1/1-1\0ACTION=add\0SUBSYSTEM=usb\0DEVTYPE=usb_device\0"s, false},
      {"bind@/devices/x\0ACTION=bind\0SUBSYSTEM=block\0"s, false},
      // Header and fields disagree.
      {"add@/devices/x/block/sdb\0ACTION=remove\0SUBSYSTEM=block\0"s, false},
      // udev's own messages carry a binary header.
      {"libudev\0\xfe\xed\xca\xfe\0\0\0\0ACTION=add\0SUBSYSTEM=block\0"s, false},
      {""s, false},
      {"@\0"s, false},
      {"add@\0SUBSYSTEM=block\0"s, false},
      {"add@/devices/x/block/..\0SUBSYSTEM=block\0DEVNAME=..\0"s, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message.substr(0, c.message.find('\0')));
    const auto uevent = parseUevent(c.message);
    const auto hasMedia = [](const std::string& name) { return name == "sdc" || name == "loop0"; };
    const auto event = uevent ? blockDeviceEvent(*uevent, "/dev", hasMedia) : std::nullopt;
    ASSERT_EQ(event.has_value(), c.event);
    if (!event) continue;
    EXPECT_EQ(event->change, c.change);
    EXPECT_EQ(event->name, c.name);
    EXPECT_EQ(event->devicePath, "/dev/" + c.name);
    EXPECT_EQ(event->deviceType, c.type);
  }
}

TEST(UeventTest, PropertiesOfAMessage) {
  const auto e = parseUevent("add@/a/b\0ACTION=add\0KEY=x=y\0EMPTY=\0=novalue\0noequals\0"s);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->action, "add");
  EXPECT_EQ(e->devpath, "/a/b");
  EXPECT_EQ(e->property("KEY"), "x=y");
  EXPECT_EQ(e->property("EMPTY"), "");
  EXPECT_EQ(e->properties.count(""), 0u);
  EXPECT_EQ(e->property("noequals"), "");
}

}  // namespace
}  // namespace quendrix::platform
