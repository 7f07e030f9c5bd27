#include "storage/dynamic_disk.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "posix_raw_device.hpp"
#include "support/temp_dir.hpp"
#include "support/test_paths.hpp"

namespace quendrix::storage {
namespace {

TEST(DynamicDiskTest, MbrAndGptTablesWithAndWithoutDynamicPartitions) {
  const auto dir = test::fixtureDir() / "volumes";
  if (!std::filesystem::exists(dir / "gpt_dynamic.img")) GTEST_SKIP() << "fixtures missing";
  platform::PosixDeviceOpener opener;
  const std::vector<std::pair<std::string, bool>> cases = {
      {"mbr_dynamic.img", true}, {"mbr_plain.img", false}, {"gpt_dynamic.img", true},
      {"gpt_plain.img", false},  {"fat32.img", false},     {"missing.img", false}};
  for (const auto& [name, dynamic] : cases) {
    EXPECT_EQ(holdsDynamicDiskPartition(opener, (dir / name).string()), dynamic) << name;
  }
}

TEST(DynamicDiskTest, HostileGptHeaderIsBounded) {
  const auto source = test::fixtureDir() / "volumes" / "gpt_dynamic.img";
  if (!std::filesystem::exists(source)) GTEST_SKIP() << "fixtures missing";
  test::TempDir dir;
  std::string bytes = test::readFile(source);
  // Entry array far beyond the end, a huge count, then an absurd entry size.
  const auto patch = [&bytes](std::size_t at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  patch(512 + 72, 0xFFFFFFFFFFull, 8);
  patch(512 + 80, 0xFFFFFFFFu, 4);
  test::writeFile(dir / "far.img", bytes);
  patch(512 + 72, 2, 8);
  patch(512 + 84, 0x7FFFFFF8u, 4);
  test::writeFile(dir / "wide.img", bytes);
  platform::PosixDeviceOpener opener;
  EXPECT_FALSE(holdsDynamicDiskPartition(opener, (dir / "far.img").string()));
  EXPECT_FALSE(holdsDynamicDiskPartition(opener, (dir / "wide.img").string()));
}

}  // namespace
}  // namespace quendrix::storage
