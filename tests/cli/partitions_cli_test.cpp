#include <gtest/gtest.h>

#include <sstream>

#include "commands.hpp"
#include "json_text.hpp"
#include "support/cli_run.hpp"
#include "support/test_paths.hpp"

namespace quendrix::cli {
namespace {

test::CliRun run(std::vector<std::string> args) {
  test::CliRunOptions o;
  o.quiet = true;
  return test::runQuendrix(std::move(args), o);
}

std::string fixture(const std::string& name) {
  return (test::fixtureDir() / "partitions" / name).string();
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PartitionsCli : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(fixture("mbr.img"))) GTEST_SKIP() << "fixtures missing";
  }
};

TEST_F(PartitionsCli, ListsTheTableAsTextAndJson) {
  auto text = run({"partitions", fixture("mbr.img")});
  ASSERT_EQ(text.code, kExitOk) << text.err;
  EXPECT_TRUE(has(text.out, "Partition - 6 ( FAT16 )")) << text.out;
  EXPECT_TRUE(has(text.out, "126976")) << text.out;
  auto json = run({"partitions", fixture("gpt.img"), "--json"});
  ASSERT_EQ(json.code, kExitOk) << json.err;
  EXPECT_TRUE(has(json.out, R"({"number":2,"index":1,"type":"NTFS","start":43008,"end":75776,)"))
      << json.out;
  EXPECT_TRUE(has(json.out, R"("origin":"gpt")"));
  EXPECT_TRUE(has(json.out, R"("heads":255,"sectorsPerTrack":63)"));
  auto volume = run({"partitions", fixture("volume.img"), "--json"});
  EXPECT_TRUE(has(volume.out, R"("volume":"FAT16","partitions":[])")) << volume.out;
}

TEST_F(PartitionsCli, FindsDeletedPartitionOnADisk) {
  auto advanced = run({"find-partitions", fixture("deleted-2048.img"), "--mode", "advanced"});
  ASSERT_EQ(advanced.code, kExitOk) << advanced.err;
  EXPECT_TRUE(has(advanced.out, "Found 1 more partitions in selected Disk ( Disk - "));
  EXPECT_TRUE(has(advanced.out, "Partition - 1 ( NTFS )"));
  auto standard = run({"find-partitions", fixture("deleted-2048.img"), "--json"});
  ASSERT_EQ(standard.code, kExitOk) << standard.err;
  EXPECT_TRUE(has(standard.out, R"("mode":"standard","modeNumber":5,"message":"No more )"))
      << standard.out;
  EXPECT_EQ(run({"find-partitions", fixture("mbr.img"), "--mode", "thorough"}).code, kExitUsage);
}

TEST_F(PartitionsCli, VolumeIsSearchedAsALogicalDrive) {
  auto found = run({"find-partitions", fixture("volume.img"), "--json"});
  ASSERT_EQ(found.code, kExitOk) << found.err;
  EXPECT_TRUE(has(found.out, R"("kind":"Drive")")) << found.out;
  EXPECT_TRUE(has(found.out, R"("selectedItem":"Recognised1 - 40.00 MB - FAT32")"));
  // As a disk its first sector is a boot sector, not a partition table.
  auto asDisk = run({"find-partitions", fixture("volume.img"), "--disk", "--mode", "advanced"});
  ASSERT_EQ(asDisk.code, kExitOk) << asDisk.err;
  EXPECT_TRUE(has(asDisk.out, "more partitions in selected Disk")) << asDisk.out;
}

}  // namespace
}  // namespace quendrix::cli
