#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "diagnostics/error_identity.hpp"

namespace quendrix::diagnostics {

inline constexpr const char* kErrorLogFileName = "Error_Log.txt";

// Local time as "%d-%b-%Y  %I:%M:%S %p" (two blanks between date and time); empty on failure.
std::string formatLogTime(std::time_t when);

// The four CRLF-ended lines of one entry, as UTF-8.
std::string composeLogEntry(const ErrorIdentity& id, const std::string& timeText);

// Error_Log.txt: UTF-16LE, a byte-order mark when the file is empty, appended to and never
// truncated. A log that cannot be written is skipped silently.
class ErrorLog {
 public:
  explicit ErrorLog(std::filesystem::path path) : path_(std::move(path)) {}
  bool append(const ErrorIdentity& id, std::time_t when);
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quendrix::diagnostics
