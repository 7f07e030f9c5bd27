#include "cli_context.hpp"

#include <ostream>

namespace quendrix::cli {

int fail(CliContext& ctx, int code, const std::string& message) {
  if (ctx.err != nullptr) *ctx.err << "quendrix: " << message << '\n';
  ctx.exitCode = code;
  return code;
}

}  // namespace quendrix::cli
