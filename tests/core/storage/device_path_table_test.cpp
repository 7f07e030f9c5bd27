#include "storage/device_path_table.hpp"

#include <gtest/gtest.h>

#include "storage/little_endian.hpp"
#include "storage/source_spec.hpp"

namespace quendrix::storage {
namespace {

TEST(DevicePathTableTest, PlatformDisksFirstThenImagesUpToTwentySix) {
  DevicePathTable table({"/dev/sda", "/dev/nvme0n1"}, {"/tmp/card.img"});
  EXPECT_EQ(table.path(0), "/dev/sda");
  EXPECT_EQ(table.path(1), "/dev/nvme0n1");
  EXPECT_EQ(table.path(2), "/tmp/card.img");
  EXPECT_EQ(table.path(3), std::nullopt);
  EXPECT_EQ(table.numberOf("/tmp/card.img"), 2u);
  EXPECT_EQ(table.add("/dev/sda"), 0u);  // listed once
  for (int i = 0; i < 30; ++i) table.add("/img/" + std::to_string(i));
  EXPECT_EQ(table.size(), DevicePathTable::kMaxDisks);
  EXPECT_EQ(table.path(25), "/img/22");
  EXPECT_EQ(table.add("/img/more"), std::nullopt);
}

TEST(SourceSpecTest, NamesAFileADeviceOrADiskNumber) {
  struct Case {
    const char* text;
    bool valid;
    std::optional<std::size_t> disk;
  };
  const Case cases[] = {
      {"card.img", true, std::nullopt}, {"/dev/sdb1", true, std::nullopt},
      {"disk:0", true, 0},              {"disk:25", true, 25},
      {"disk:26", false, std::nullopt}, {"disk:", false, std::nullopt},
      {"disk:1x", false, std::nullopt}, {"", false, std::nullopt},
  };
  for (const auto& c : cases) {
    auto named = parseSourceSpec(c.text);
    ASSERT_EQ(named.has_value(), c.valid) << c.text;
    if (named) {
      EXPECT_EQ(named->diskNumber, c.disk) << c.text;
    }
  }
  DevicePathTable table({"/dev/sda"}, {});
  EXPECT_EQ(resolveSourcePath(*parseSourceSpec("disk:0"), table), "/dev/sda");
  EXPECT_EQ(resolveSourcePath(*parseSourceSpec("disk:1"), table), std::nullopt);
  EXPECT_EQ(resolveSourcePath(*parseSourceSpec("x.img"), table), "x.img");
}

TEST(LittleEndianTest, ReadsInsideTheSpanOnly) {
  const std::byte b[] = {std::byte{0x01}, std::byte{0x02}, std::byte{0x03}, std::byte{0x04},
                         std::byte{0xFF}};
  EXPECT_EQ(readU16(b, 0), 0x0201);
  EXPECT_EQ(readU32(b, 1), 0xFF040302u);
  EXPECT_EQ(readU32(b, 2), std::nullopt);
  EXPECT_EQ(readU8(b, 5), std::nullopt);
  EXPECT_EQ(u64Or0(b, 0), 0u);
  EXPECT_EQ(readU16(b, ~std::size_t{0}), std::nullopt);
}

}  // namespace
}  // namespace quendrix::storage
