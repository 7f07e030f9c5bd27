#include "progress_display.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace quendrix::cli {
namespace {

TEST(ProgressDisplayTest, LineShowsPercentSpeedEtaAndFound) {
  // 1,000,000 sectors of 512 bytes in 10 s is 51.2 MB/s; a quarter done leaves 30 s.
  EXPECT_EQ(ProgressDisplay::formatLine(1000000, 4000000, 7, 10.0, 512, "files"),
            " 25.0%    51.20 MB/s  ETA 00:00:30  files 7");
  EXPECT_EQ(ProgressDisplay::formatLine(0, 0, 0, 0.0, 512, "found"),
            "100.0%     0.00 MB/s  ETA 00:00:00  found 0");
  EXPECT_EQ(ProgressDisplay::formatLine(0, 100, 0, 0.0, 512, "found"),
            "  0.0%     0.00 MB/s  ETA --:--:--  found 0");
}

TEST(ProgressDisplayTest, QuietPrintsNothingAndPlainLinesAreThrottled) {
  std::ostringstream quiet, lines;
  {
    ProgressDisplay q(quiet, ProgressDisplay::Style::Quiet);
    q.progress(1, 2, 0);
    q.status("pass");
    ProgressDisplay l(lines, ProgressDisplay::Style::Lines);
    for (int i = 0; i < 1000; ++i) l.progress(static_cast<unsigned>(i), 1000, 0);
    l.progress(1000, 1000, 3);  // the last update is always shown
  }
  EXPECT_EQ(quiet.str(), "");
  const std::string text = lines.str();
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
  EXPECT_NE(text.find("100.0%"), std::string::npos);
}

TEST(ProgressDisplayTest, ShowsTheSectorOfTheTotalAndTheFilesFound) {
  std::ostringstream out;
  ProgressDisplay progress(out, ProgressDisplay::Style::Lines, 512, "files");
  progress.showSectorPosition(1000, 5000);
  progress.status("(pass)");
  progress.progress(512, 4000, 1);  // plain lines wait one interval
  progress.progress(4000, 4000, 3);
  const std::string text = out.str();
  EXPECT_EQ(text.find("sector 1512"), std::string::npos) << text;
  EXPECT_EQ(text.rfind("(pass)\nsector 5000 of total 5000  100.0%", 0), 0u) << text;
  EXPECT_NE(text.find("files 3\n"), std::string::npos) << text;

  std::ostringstream quiet;
  ProgressDisplay none(quiet, ProgressDisplay::Style::Quiet, 512, "files");
  none.showSectorPosition(0, 10);
  none.status("x");
  none.progress(10, 10, 1);
  EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace quendrix::cli
