#include <gtest/gtest.h>

#include <sstream>

#include "commands.hpp"
#include "support/cli_run.hpp"
#include "support/temp_dir.hpp"
#include "support/test_paths.hpp"

namespace quendrix::cli {
namespace {

test::CliRun run(std::vector<std::string> args, std::filesystem::path exeFolder = test::binDir()) {
  test::CliRunOptions o;
  o.exeFolder = std::move(exeFolder);
  return test::runQuendrix(std::move(args), o);
}

TEST(CliTest, HelpVersionAndUsageErrors) {
  auto help = run({"--help"});
  EXPECT_EQ(help.code, kExitOk);
  EXPECT_NE(help.out.find("read"), std::string::npos);
  auto version = run({"--version"});
  EXPECT_EQ(version.code, kExitOk);
  EXPECT_NE(version.out.find("quendrix "), std::string::npos);
  EXPECT_EQ(run({}).code, kExitUsage);
  EXPECT_EQ(run({"frobnicate"}).code, kExitUsage);
  EXPECT_EQ(run({"read", "x.img"}).code, kExitUsage);  // --sector is required
}

TEST(CliTest, ReadDumpsASectorInHex) {
  test::TempDir dir;
  std::string image(2048, '\0');
  image.replace(512 + 16, 5, "HELLO");
  test::writeFile(dir / "i.img", image);
  auto r = run({"read", (dir / "i.img").string(), "--sector", "1"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.out.find("000000000210  48 45 4c 4c 4f"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("|HELLO...........|"), std::string::npos);
  EXPECT_EQ(r.out.find("000000000400"), std::string::npos);
  EXPECT_EQ(run({"read", (dir / "none.img").string(), "--sector", "0"}).code, kExitFailure);
  EXPECT_EQ(run({"read", "disk:", "--sector", "0"}).code, kExitUsage);
}

TEST(CliTest, MissingSignatureFileStopsEveryCommand) {
  test::TempDir empty;
  auto r = run({"read", "x.img", "--sector", "0"}, empty.path());
  EXPECT_EQ(r.code, kExitFailure);
  EXPECT_NE(r.err.find("Couldn't open source file: No such file or directory"), std::string::npos);
  EXPECT_EQ(run({"--help"}, empty.path()).code, kExitOk);
}

}  // namespace
}  // namespace quendrix::cli
