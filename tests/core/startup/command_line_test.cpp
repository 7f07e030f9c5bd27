#include "startup/command_line.hpp"

#include <gtest/gtest.h>

#include "carving/signature_file_names.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::startup {
namespace {

TEST(CommandLineTest, Normalisation) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"   \t ", ""},
      {"\"/home/me/My Scans/card.DPR\"   ", "/home/me/My Scans/card.DPR"},
      {"  /home/me/My Scans/card.DPR", "/home/me/My Scans/card.DPR"},
      {"\"/tmp/a.DPR", "/tmp/a.DPR"},
      {"/tmp/a.DPR\"", "/tmp/a.DPR"},
      {"/tmp/\"x\".DPR", "/tmp/\"x\".DPR"},
      {"\"", ""},
      {"\"\"", ""},
      {" \" spaced \" ", " spaced "},
  };
  for (const auto& c : cases) EXPECT_EQ(normaliseCommandLine(c.in), c.out) << c.in;
}

TEST(CommandLineTest, JoinsTheRemainderOfTheArguments) {
  const char* argv[] = {"quendrix-gui", "/home/me/My", "Scans/card.DPR"};
  EXPECT_EQ(joinArguments(3, argv), "/home/me/My Scans/card.DPR");
  EXPECT_EQ(joinArguments(1, argv), "");
}

TEST(SignatureCheckTest, MissingFileStopsWithTheSystemText) {
  test::TempDir dir;
  for (const char* name : carving::kStartupCheckedFiles) test::writeFile(dir / name, "");
  EXPECT_EQ(carving::checkStartupSignatureFiles(dir.path()), std::nullopt);
  std::filesystem::remove(dir / carving::kVideoFile);
  EXPECT_EQ(carving::checkStartupSignatureFiles(dir.path()),
            "Couldn't open source file: No such file or directory");
}

}  // namespace
}  // namespace quendrix::startup
