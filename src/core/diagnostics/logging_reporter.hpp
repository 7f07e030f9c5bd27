#pragma once

#include <functional>
#include <string>

#include "diagnostics/error_guard.hpp"
#include "diagnostics/error_log.hpp"

namespace quendrix::diagnostics {

// Writes every report to the error log, then hands it to a display (stderr, a window).
class LoggingReporter final : public ErrorReporter {
 public:
  using Display = std::function<void(const ErrorIdentity&, const std::string& detail)>;
  LoggingReporter(ErrorLog log, Display display)
      : log_(std::move(log)), display_(std::move(display)) {}
  void report(const ErrorIdentity& id, const std::string& detail) override;

 private:
  ErrorLog log_;
  Display display_;
};

}  // namespace quendrix::diagnostics
