#include "diagnostics/error_guard.hpp"

namespace quendrix::diagnostics {

bool guardStep(ErrorReporter& reporter, const ErrorIdentity& id,
               const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    reporter.report(id, e.what());
  } catch (...) {
    reporter.report(id, "Problem occur.");
  }
  return false;
}

}  // namespace quendrix::diagnostics
