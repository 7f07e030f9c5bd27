#pragma once

#include <filesystem>

namespace quendrix::platform {

// The folder that holds the running executable.
std::filesystem::path executableFolder();

// Where Error_Log.txt goes: the executable's folder when it is writable, else
// $XDG_STATE_HOME/quendrix (default ~/.local/state/quendrix), created on demand.
std::filesystem::path errorLogPath(const std::filesystem::path& exeFolder);

}  // namespace quendrix::platform
