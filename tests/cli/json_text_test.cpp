#include "json_text.hpp"

#include <gtest/gtest.h>

namespace quendrix::cli {
namespace {

TEST(JsonText, EscapesAndSeparates) {
  JsonText json;
  json.beginObject()
      .field("a", "q\"b\\\n\x01")
      .key("list")
      .beginArray()
      .value(std::uint64_t{1})
      .value(true)
      .null()
      .beginObject()
      .endObject()
      .endArray()
      .field("max", std::uint64_t{18446744073709551615ull})
      .key("empty")
      .beginArray()
      .endArray()
      .endObject();
  EXPECT_EQ(json.text(),
            R"({"a":"q\"b\\\n\u0001","list":[1,true,null,{}],"max":18446744073709551615,)"
            R"("empty":[]})");
}

}  // namespace
}  // namespace quendrix::cli
