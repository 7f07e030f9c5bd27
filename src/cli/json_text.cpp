#include "json_text.hpp"

#include <cstdio>

namespace quendrix::cli {

void JsonText::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!needComma_.empty()) {
    if (needComma_.back()) out_ += ',';
    needComma_.back() = true;
  }
}

JsonText& JsonText::beginObject() {
  separate();
  out_ += '{';
  needComma_.push_back(false);
  return *this;
}

JsonText& JsonText::endObject() {
  out_ += '}';
  if (!needComma_.empty()) needComma_.pop_back();
  return *this;
}

JsonText& JsonText::beginArray() {
  separate();
  out_ += '[';
  needComma_.push_back(false);
  return *this;
}

JsonText& JsonText::endArray() {
  out_ += ']';
  if (!needComma_.empty()) needComma_.pop_back();
  return *this;
}

JsonText& JsonText::key(std::string_view name) {
  separate();
  out_ += quoted(name);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonText& JsonText::value(std::string_view text) {
  separate();
  out_ += quoted(text);
  return *this;
}

JsonText& JsonText::value(std::uint64_t number) {
  separate();
  out_ += std::to_string(number);
  return *this;
}

JsonText& JsonText::value(bool flag) {
  separate();
  out_ += flag ? "true" : "false";
  return *this;
}

JsonText& JsonText::null() {
  separate();
  out_ += "null";
  return *this;
}

std::string JsonText::quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace quendrix::cli
