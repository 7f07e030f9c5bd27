#pragma once

#include <exception>
#include <functional>
#include <string>

#include "diagnostics/error_identity.hpp"

namespace quendrix::diagnostics {

// Shows a failed step to the user: the CLI prints it, the GUI opens the report window.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // detail is what the fault said about itself (the exception's text), for diagnostics.
  virtual void report(const ErrorIdentity& id, const std::string& detail) = 0;
};

// Runs one step. Any exception it throws ends the step, is reported with the step's four
// texts, and the caller goes on. Returns true when the step finished normally.
bool guardStep(ErrorReporter& reporter, const ErrorIdentity& id, const std::function<void()>& step);

}  // namespace quendrix::diagnostics
