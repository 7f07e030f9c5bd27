#include "process_paths.hpp"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "diagnostics/error_log.hpp"

namespace quendrix::platform {

std::filesystem::path executableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

std::filesystem::path errorLogPath(const std::filesystem::path& exeFolder) {
  if (!exeFolder.empty() && ::access(exeFolder.c_str(), W_OK) == 0) {
    return exeFolder / diagnostics::kErrorLogFileName;
  }
  std::filesystem::path state;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && *xdg == '/') {
    state = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    state = std::filesystem::path(home) / ".local" / "state";
  } else {
    state = std::filesystem::temp_directory_path();
  }
  state /= "quendrix";
  std::error_code ec;
  std::filesystem::create_directories(state, ec);
  return state / diagnostics::kErrorLogFileName;
}

}  // namespace quendrix::platform
