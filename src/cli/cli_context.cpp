#include "cli_context.hpp"

#include <ostream>

namespace quendrix::cli {
namespace {

class PrintingReporter final : public diagnostics::ErrorReporter {
 public:
  explicit PrintingReporter(CliContext& ctx) : ctx_(ctx) {}
  void report(const diagnostics::ErrorIdentity& id, const std::string& detail) override {
    if (ctx_.err == nullptr) return;
    *ctx_.err << "quendrix: " << diagnostics::composeErrorMessage(id);
    if (!detail.empty()) *ctx_.err << ": " << detail;
    *ctx_.err << '\n';
  }

 private:
  CliContext& ctx_;
};

}  // namespace

diagnostics::ErrorReporter& reporterOf(CliContext& ctx) {
  if (!ctx.reporter) ctx.reporter = std::make_unique<PrintingReporter>(ctx);
  return *ctx.reporter;
}

int fail(CliContext& ctx, int code, const std::string& message) {
  if (ctx.err != nullptr) *ctx.err << "quendrix: " << message << '\n';
  ctx.exitCode = code;
  return code;
}

}  // namespace quendrix::cli
