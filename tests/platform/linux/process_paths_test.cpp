#include "process_paths.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_dir.hpp"
#include "support/test_paths.hpp"

namespace quendrix::platform {
namespace {

TEST(ProcessPathsTest, ExecutableFolderHoldsTheTestBinary) {
  EXPECT_TRUE(std::filesystem::exists(executableFolder() / "quendrix_tests"));
}

TEST(ProcessPathsTest, LogGoesBesideTheExecutableOrToTheStateFolder) {
  test::TempDir dir;
  EXPECT_EQ(errorLogPath(dir.path()), dir.path() / "Error_Log.txt");

  const char* old = std::getenv("XDG_STATE_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  const auto fallback = errorLogPath(dir / "no-such-folder");
  EXPECT_EQ(fallback, dir / "state" / "quendrix" / "Error_Log.txt");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "state" / "quendrix"));
  if (old) {
    ::setenv("XDG_STATE_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_STATE_HOME");
  }
}

}  // namespace
}  // namespace quendrix::platform
