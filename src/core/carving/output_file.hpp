#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>

namespace quendrix::carving {

// Opens a carved file for writing, truncating it. Returns nullptr with the system's error
// number in error when it cannot.
using OutputOpener = std::function<std::FILE*(const std::filesystem::path& path, int& error)>;

// The standard opener: mode "wb+", unbuffered, so that a failing write shows at once.
std::FILE* openOutputFile(const std::filesystem::path& path, int& error);

// The open was refused for want of rights (the next name may be tried).
bool isAccessDenied(int error);

}  // namespace quendrix::carving
