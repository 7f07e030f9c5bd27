#include <gtest/gtest.h>

#include <sstream>

#include "carving_cli.hpp"

namespace quendrix::cli {
namespace {

TEST(CarvingProgressTest, ShowsTheSectorOfTheTotalAndTheFilesFound) {
  std::ostringstream out;
  CarvingProgress progress(out, ProgressDisplay::Style::Lines, 1000, 5000);
  progress.status("(pass)");
  progress.progress(512, 4000, 1);  // plain lines wait one interval
  progress.progress(4000, 4000, 3);
  const std::string text = out.str();
  EXPECT_EQ(text.find("sector 1512"), std::string::npos) << text;
  EXPECT_EQ(text.rfind("(pass)\nsector 5000 of total 5000  100.0%", 0), 0u) << text;
  EXPECT_NE(text.find("files 3\n"), std::string::npos) << text;

  std::ostringstream quiet;
  CarvingProgress none(quiet, ProgressDisplay::Style::Quiet, 0, 10);
  none.status("x");
  none.progress(10, 10, 1);
  EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace quendrix::cli
