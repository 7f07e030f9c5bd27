#include "progress_display.hpp"

#include <unistd.h>

#include <cstdio>
#include <ostream>

namespace quendrix::cli {

ProgressDisplay::ProgressDisplay(std::ostream& out, Style style, std::uint64_t unitBytes,
                                 std::string foundLabel)
    : out_(out), style_(style), unitBytes_(unitBytes), foundLabel_(std::move(foundLabel)) {}

ProgressDisplay::~ProgressDisplay() { finish(); }

ProgressDisplay::Style ProgressDisplay::styleFor(bool quiet, int fd) {
  if (quiet) return Style::Quiet;
  return ::isatty(fd) != 0 ? Style::Bar : Style::Lines;
}

std::string ProgressDisplay::formatLine(std::uint64_t done, std::uint64_t total,
                                        std::uint64_t found, double seconds,
                                        std::uint64_t unitBytes, const std::string& foundLabel) {
  const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
  const double bytes = static_cast<double>(done) * static_cast<double>(unitBytes);
  const double mbps = seconds > 0 ? bytes / seconds / 1e6 : 0.0;
  char eta[32] = "--:--:--";
  if (fraction > 0 && fraction < 1 && seconds > 0) {
    const auto left = static_cast<unsigned long long>(seconds / fraction - seconds);
    std::snprintf(eta, sizeof eta, "%02llu:%02llu:%02llu", left / 3600, left / 60 % 60, left % 60);
  } else if (fraction >= 1) {
    std::snprintf(eta, sizeof eta, "00:00:00");
  }
  char line[160];
  std::snprintf(line, sizeof line, "%5.1f%%  %7.2f MB/s  ETA %s  %s %llu", fraction * 100.0, mbps,
                eta, foundLabel.c_str(), static_cast<unsigned long long>(found));
  return line;
}

void ProgressDisplay::showSectorPosition(std::uint64_t startSector, std::uint64_t endSector) {
  std::lock_guard lock(mutex_);
  showPosition_ = true;
  startSector_ = startSector;
  endSector_ = endSector;
}

void ProgressDisplay::progress(std::uint64_t done, std::uint64_t total, std::uint64_t found) {
  if (style_ == Style::Quiet) return;
  std::lock_guard lock(mutex_);
  const auto now = Clock::now();
  const auto interval = style_ == Style::Bar ? std::chrono::milliseconds(100)
                                             : std::chrono::milliseconds(5000);
  const bool last = done >= total;
  if (!last && lastShown_ != Clock::time_point{} && now - lastShown_ < interval) return;
  if (lastShown_ == Clock::time_point{} && style_ == Style::Lines && !last) {
    lastShown_ = now;  // the first plain line comes after one interval
    return;
  }
  lastShown_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::string text = formatLine(done, total, found, seconds, unitBytes_, foundLabel_);
  if (showPosition_) {
    text = "sector " + std::to_string(startSector_ + done) + " of total " +
           std::to_string(endSector_) + "  " + text;
  }
  if (style_ == Style::Bar) {
    constexpr int kWidth = 30;
    const int filled =
        total == 0 ? kWidth : static_cast<int>(static_cast<double>(done) / total * kWidth);
    std::string bar(static_cast<std::size_t>(std::min(filled, kWidth)), '#');
    bar.resize(kWidth, '.');
    out_ << "\r[" << bar << "] " << text << "\x1b[K" << std::flush;
    barOpen_ = true;
  } else {
    out_ << text << '\n' << std::flush;
  }
}

void ProgressDisplay::status(std::string_view text) {
  if (style_ == Style::Quiet) return;
  std::lock_guard lock(mutex_);
  if (barOpen_) out_ << '\n';
  barOpen_ = false;
  start_ = Clock::now();
  lastShown_ = Clock::time_point{};
  out_ << text << '\n' << std::flush;
}

void ProgressDisplay::finish() {
  std::lock_guard lock(mutex_);
  if (barOpen_) out_ << '\n' << std::flush;
  barOpen_ = false;
}

}  // namespace quendrix::cli
