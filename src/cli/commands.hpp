#pragma once

#include <CLI/CLI.hpp>

#include "cli_context.hpp"

namespace quendrix::cli {

// Each subcommand adds itself to the app; its callback sets ctx.exitCode.
void addReadCommand(CLI::App& app, CliContext& ctx);
void addDrivesCommand(CLI::App& app, CliContext& ctx);
void addWatchCommand(CLI::App& app, CliContext& ctx);
void addPartitionsCommand(CLI::App& app, CliContext& ctx);
void addFindPartitionsCommand(CLI::App& app, CliContext& ctx);
void addPhotoCommand(CLI::App& app, CliContext& ctx);
void addVideoCommand(CLI::App& app, CliContext& ctx);
void addSignatureCommand(CLI::App& app, CliContext& ctx);
void addTypesCommand(CLI::App& app, CliContext& ctx);

// Builds the whole command line and runs it; returns the exit code.
int runCli(int argc, const char* const* argv, CliContext& ctx);

}  // namespace quendrix::cli
