#include "diagnostics/logging_reporter.hpp"

#include <ctime>

namespace quendrix::diagnostics {

void LoggingReporter::report(const ErrorIdentity& id, const std::string& detail) {
  log_.append(id, std::time(nullptr));
  if (display_) display_(id, detail);
}

}  // namespace quendrix::diagnostics
