#pragma once

#include <filesystem>
#include <string>

namespace quendrix::test {

inline std::filesystem::path fixtureDir() { return QUENDRIX_FIXTURE_DIR; }
inline std::filesystem::path binDir() { return QUENDRIX_BIN_DIR; }
inline std::filesystem::path sourceDir() { return QUENDRIX_SOURCE_DIR; }
// The unpacked public test images: fixtureDir()/dftt/<zip name>/...
inline std::filesystem::path dfttDir() { return fixtureDir() / "dftt"; }

}  // namespace quendrix::test
