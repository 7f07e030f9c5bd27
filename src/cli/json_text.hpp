#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::cli {

// Builds one JSON document as text, for the --json output of the commands. Keys and values
// are written in call order; commas are placed by the writer.
class JsonText {
 public:
  JsonText& beginObject();
  JsonText& endObject();
  JsonText& beginArray();
  JsonText& endArray();
  JsonText& key(std::string_view name);
  JsonText& value(std::string_view text);
  JsonText& value(const char* text) { return value(std::string_view(text)); }
  JsonText& value(std::uint64_t number);
  JsonText& value(std::uint32_t number) { return value(std::uint64_t{number}); }
  JsonText& value(bool flag);
  JsonText& null();

  // key(name).value(v) in one call.
  template <typename T>
  JsonText& field(std::string_view name, const T& v) {
    key(name);
    return value(v);
  }

  const std::string& text() const { return out_; }

  // A string literal with quotes, backslashes and control characters escaped.
  static std::string quoted(std::string_view text);

 private:
  void separate();
  std::string out_;
  std::vector<bool> needComma_;  // one per open object or array
  bool afterKey_ = false;
};

}  // namespace quendrix::cli
