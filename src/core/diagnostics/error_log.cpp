#include "diagnostics/error_log.hpp"

#include <cstdio>
#include <mutex>

#include "diagnostics/utf16.hpp"

namespace quendrix::diagnostics {
namespace {

// Entries from different threads must not interleave inside one file.
std::mutex& logMutex() {
  static std::mutex m;
  return m;
}

}  // namespace

std::string formatLogTime(std::time_t when) {
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr) return {};
  char text[64];
  const std::size_t n = std::strftime(text, sizeof text, "%d-%b-%Y  %I:%M:%S %p", &local);
  return std::string(text, n);
}

std::string composeLogEntry(const ErrorIdentity& id, const std::string& timeText) {
  std::string entry;
  entry += "Date and Time\t:\t" + timeText + "\r\n";
  entry += "Error Code\t:\t" + composeErrorCode(id) + "\r\n";
  entry += "Error Message\t:\t" + composeErrorMessage(id) + "\r\n";
  entry += std::string(92, '=') + "\r\n";
  return entry;
}

bool ErrorLog::append(const ErrorIdentity& id, std::time_t when) {
  std::lock_guard lock(logMutex());
  std::FILE* f = std::fopen(path_.c_str(), "ab");
  if (f == nullptr) return false;
  std::string bytes;
  if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) == 0) bytes = "\xFF\xFE";
  bytes += utf8ToUtf16Le(composeLogEntry(id, formatLogTime(when)));
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return (std::fclose(f) == 0) && ok;
}

}  // namespace quendrix::diagnostics
