#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>

#include "progress_sink.hpp"

namespace quendrix::cli {

// The progress of long work on stderr: a bar with percent, MB/s, ETA and the found counter on
// a terminal; otherwise a plain line every few seconds; nothing when quiet.
class ProgressDisplay final : public ProgressSink {
 public:
  enum class Style { Bar, Lines, Quiet };

  // unitBytes converts the work's unit into bytes for the speed (512 for sectors).
  ProgressDisplay(std::ostream& out, Style style, std::uint64_t unitBytes = 512,
                  std::string foundLabel = "found");
  ~ProgressDisplay() override;

  static Style styleFor(bool quiet, int fd = 2);

  // Puts "sector N of total M" before each update, N being startSector + done: for scans of a
  // sector range, whose done count runs from 0.
  void showSectorPosition(std::uint64_t startSector, std::uint64_t endSector);

  void progress(std::uint64_t done, std::uint64_t total, std::uint64_t found) override;
  // A status line such as the pass being run; the speed is measured afresh after it.
  void status(std::string_view text) override;
  // Ends the bar's line, once the work is over.
  void finish();

  // "12.5%  3.20 MB/s  ETA 00:01:05  found 12", the text of one update.
  static std::string formatLine(std::uint64_t done, std::uint64_t total, std::uint64_t found,
                                double seconds, std::uint64_t unitBytes,
                                const std::string& foundLabel);

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& out_;
  Style style_;
  std::uint64_t unitBytes_;
  std::string foundLabel_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastShown_{};
  bool barOpen_ = false;
  bool showPosition_ = false;
  std::uint64_t startSector_ = 0;
  std::uint64_t endSector_ = 0;
  std::mutex mutex_;
};

}  // namespace quendrix::cli
