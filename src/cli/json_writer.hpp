#pragma once

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::cli {

// A small streaming JSON writer: objects, arrays, strings, numbers and booleans, with the
// commas put in for the caller. Strings are escaped; bytes that are not valid UTF-8 are not
// checked here.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  JsonWriter& beginObject() { return open('{'); }
  JsonWriter& endObject() { return close('}'); }
  JsonWriter& beginArray() { return open('['); }
  JsonWriter& endArray() { return close(']'); }

  // The key of the next value inside an object.
  JsonWriter& key(std::string_view name) {
    separate();
    writeString(name);
    out_ << ':';
    afterKey_ = true;
    return *this;
  }
  JsonWriter& value(std::string_view text) {
    separate();
    writeString(text);
    return *this;
  }
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(std::uint64_t number) {
    separate();
    out_ << number;
    return *this;
  }
  JsonWriter& value(std::uint32_t number) { return value(std::uint64_t{number}); }
  JsonWriter& value(bool flag) {
    separate();
    out_ << (flag ? "true" : "false");
    return *this;
  }
  template <typename T>
  JsonWriter& field(std::string_view name, const T& v) {
    key(name);
    return value(v);
  }

 private:
  JsonWriter& open(char bracket) {
    separate();
    out_ << bracket;
    first_.push_back(true);
    return *this;
  }
  JsonWriter& close(char bracket) {
    if (!first_.empty()) first_.pop_back();
    out_ << bracket;
    if (first_.empty()) out_ << '\n';
    return *this;
  }
  void separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (!first_.empty()) {
      if (!first_.back()) out_ << ',';
      first_.back() = false;
    }
  }
  void writeString(std::string_view text) {
    out_ << '"';
    for (const char c : text) {
      switch (c) {
        case '"':
          out_ << "\\\"";
          break;
        case '\\':
          out_ << "\\\\";
          break;
        case '\n':
          out_ << "\\n";
          break;
        case '\r':
          out_ << "\\r";
          break;
        case '\t':
          out_ << "\\t";
          break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out_ << escaped;
          } else {
            out_ << c;
          }
      }
    }
    out_ << '"';
  }

  std::ostream& out_;
  std::vector<bool> first_;
  bool afterKey_ = false;
};

}  // namespace quendrix::cli
