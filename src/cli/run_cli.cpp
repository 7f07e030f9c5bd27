#include <ostream>

#include "carving/signature_file_names.hpp"
#include "commands.hpp"
#include "interrupt.hpp"

namespace quendrix::cli {

int runCli(int argc, const char* const* argv, CliContext& ctx) {
  CLI::App app{"Quendrix (Photo and Video): recovers photos, videos and other files from disks, "
               "memory cards and disk images.",
               "quendrix"};
  app.set_version_flag("--version", std::string("quendrix ") + QUENDRIX_VERSION);
  app.add_flag("-q,--quiet", ctx.quiet, "No progress display");
  app.require_subcommand(1);
  app.fallthrough();

  addReadCommand(app, ctx);
  addDrivesCommand(app, ctx);
  addWatchCommand(app, ctx);
  addPartitionsCommand(app, ctx);
  addFindPartitionsCommand(app, ctx);
  addPhotoCommand(app, ctx);
  addVideoCommand(app, ctx);
  addSignatureCommand(app, ctx);
  addTypesCommand(app, ctx);

  // Every command needs the signature files beside the executable, as the program always
  // checks them at start-up; help and version do not get this far.
  app.parse_complete_callback([&ctx] {
    if (auto failure = carving::checkStartupSignatureFiles(ctx.exeFolder)) {
      throw CLI::RuntimeError(*failure, kExitFailure);
    }
  });

  InterruptWatch watch(ctx.stop);
  try {
    ctx.exitCode = kExitOk;
    app.parse(argc, argv);
  } catch (const CLI::RuntimeError& e) {
    *ctx.err << "quendrix: " << e.what() << '\n';
    return e.get_exit_code();
  } catch (const CLI::ParseError& e) {
    // Help and version are "errors" with code 0; every other parse error is a usage error.
    return app.exit(e, *ctx.out, *ctx.err) == 0 ? kExitOk : kExitUsage;
  }
  return ctx.exitCode;
}

}  // namespace quendrix::cli
