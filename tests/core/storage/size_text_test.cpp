#include "storage/size_text.hpp"

#include <gtest/gtest.h>

namespace quendrix::storage {
namespace {

TEST(SizeTextTest, UnitsOf1024WithRounding) {
  struct Case {
    std::uint64_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {0, "0 Byte"},
      {512, "512 Byte"},
      {1023, "1023 Byte"},
      {1024, "  1.00 KB"},
      {1048575, "1024.00 KB"},
      {1048576, "  1.00 MB"},
      {8004304896ULL, "  7.45 GB"},
      {~std::uint64_t{0}, " 16.00 EB"},
  };
  for (const auto& c : cases) EXPECT_EQ(sizeText(c.bytes), c.text) << c.bytes;
  EXPECT_EQ(trimmedSizeText(8004304896ULL), "7.45 GB");
}

}  // namespace
}  // namespace quendrix::storage
