#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

#include "commands.hpp"
#include "support/cli_run.hpp"
#include "support/temp_dir.hpp"
#include "support/test_paths.hpp"

namespace quendrix::cli {
namespace {

// Runs the command line in-process; stopAfter requests a stop as Ctrl-C would.
test::CliRun run(std::vector<std::string> args,
                 std::optional<std::chrono::milliseconds> stopAfter = std::nullopt) {
  test::CliRunOptions o;
  o.stopAfter = stopAfter;
  return test::runQuendrix(std::move(args), o);
}

class DrivesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = (dir_ / "card.img").string();
    test::writeFile(image_, std::string(3 * 1024 * 1024, '\0'));
  }
  // The number the image got, read from the tree.
  std::string imageNumber(const std::string& tree) {
    std::smatch m;
    static const std::regex kLine(R"(\n    Fixed hard disk media \(Disk(\d+) - 3\.00 MB\)\n)");
    return std::regex_search(tree, m, kLine) ? m[1].str() : "";
  }
  test::TempDir dir_;
  std::string image_;
};

TEST_F(DrivesCommandTest, TreeListsTheImageAfterTheSystemDisks) {
  const auto r = run({"drives", "--image", image_});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(r.out.starts_with("My Computer\n  Physical Drives\n")) << r.out;
  EXPECT_NE(r.out.find("\n  Logical Drives\n"), std::string::npos) << r.out;
  EXPECT_NE(imageNumber(r.out), "") << r.out;
}

TEST(DrivesTreeTest, DisksShowTheirPartitions) {
  const auto image = test::fixtureDir() / "partitions" / "mbr.img";
  if (!std::filesystem::exists(image)) GTEST_SKIP() << "no partition fixture";
  const auto r = run({"drives", "--image", image.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const auto disk = r.out.find(" - 100.00 MB)\n");
  ASSERT_NE(disk, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n      Partition - 1 ( FAT16 )\n      Partition - 2 ( FAT32 )\n"
                       "      Partition - 3 ( NTFS )\n",
                       disk),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\n      Partition - 6 ( FAT16 )\n", disk), std::string::npos) << r.out;
}

TEST_F(DrivesCommandTest, DetailsOfADisk) {
  const std::string n = imageNumber(run({"drives", "--image", image_}).out);
  ASSERT_NE(n, "");
  const auto r = run({"drives", "--image", image_, "--details", n});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const std::string expected =
      "1. Model : card.img FILEBACKEDVIRTUAL Device\n"
      "2. MediaType : Fixed hard disk media\n"
      "3. Interface Type : FILEBACKEDVIRTUAL\n"
      "4. Capacity(size) : 3.00 MB\n"
      "5. Cylinders : 0\n"
      "6. Heads : 255\n"
      "7. Sectors : 6144\n"
      "8. Bytes per Sector : 512\n"
      "9. Sector per Track : 63\n"
      "10. Firmware Revision ID : \n"
      "11. Serial Number : \n";
  EXPECT_TRUE(r.out.starts_with(expected)) << r.out;
  EXPECT_NE(r.out.find("\n13. Physical Device ID : " + image_ + "\n"), std::string::npos);

  const auto json = run({"drives", "--image", image_, "--details", n, "--json"});
  ASSERT_EQ(json.code, kExitOk);
  EXPECT_NE(json.out.find(R"({"caption":"7. Sectors :","value":"6144"})"), std::string::npos)
      << json.out;
}

TEST_F(DrivesCommandTest, JsonCarriesTheRecordFields) {
  const auto r = run({"drives", "--image", image_, "--json"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (const std::string& field : std::vector<std::string>{
           R"("text":"My Computer")", R"("text":"Physical Drives")", R"("text":"Logical Drives")",
           R"("devicePath":")" + image_ + "\"", R"("bus":"FILEBACKEDVIRTUAL")",
           R"("totalSectors":"6144")", R"("sizeMib":3)", R"("deviceList":[)", R"("volumeList":[)",
           R"("computerName":)"}) {
    EXPECT_NE(r.out.find(field), std::string::npos) << field << "\n" << r.out;
  }
}

TEST_F(DrivesCommandTest, Failures) {
  EXPECT_EQ(run({"drives", "--image", (dir_ / "none.img").string()}).code, kExitFailure);
  EXPECT_EQ(run({"drives", "--details", "25"}).code, kExitFailure);
  EXPECT_EQ(run({"drives", "--details", "x"}).code, kExitUsage);
}

TEST(WatchCommandTest, RunsUntilInterrupted) {
  const auto r = run({"watch"}, std::chrono::milliseconds(100));
  if (r.code == kExitFailure) {
    EXPECT_NE(r.err.find("Can't register device notification: "), std::string::npos);
    GTEST_SKIP() << "no uevent socket here";
  }
  EXPECT_EQ(r.code, kExitInterrupted) << r.err;
}

}  // namespace
}  // namespace quendrix::cli
