#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/test_paths.hpp"

namespace quendrix::test {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

struct CliRunOptions {
  std::filesystem::path exeFolder = binDir();  // where the signature files are
  bool quiet = false;
  bool stopBeforeStart = false;                        // as if Ctrl-C came at once
  std::optional<std::chrono::milliseconds> stopAfter;  // Ctrl-C after a while
};

// Runs the quendrix command line in-process; args exclude the program name.
CliRun runQuendrix(std::vector<std::string> args, const CliRunOptions& options = {});

}  // namespace quendrix::test
