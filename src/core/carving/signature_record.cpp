#include "carving/signature_record.hpp"

#include <limits>

namespace quendrix::carving {
namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char upperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

}  // namespace

std::uint64_t FileType1::maxSize() const {
  return parseDecimalU64(maxSizeText);
}

std::string_view trimSpace(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view lineValue(std::string_view line) {
  const auto colon = line.rfind(':');
  if (colon != std::string_view::npos) line.remove_prefix(colon + 1);
  return trimSpace(line);
}

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperChar(c);
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upperChar(a[i]) != upperChar(b[i])) return false;
  }
  return true;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::uint64_t parseDecimalU64(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

int parseDecimalInt(std::string_view text) {
  const auto value = parseDecimalU64(text);
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
  return static_cast<int>(value > kMax ? kMax : value);
}

void setHeaderFromText(FileType1& record, std::string_view value) {
  record.headerText = upperAscii(value);
  record.header.fill(0);
  int length = 0;
  const std::string& text = record.headerText;
  for (std::size_t i = 0; i < text.size() && length < kMaxHeaderBytes; i += 2) {
    int byte = hexValue(text[i]);
    if (i + 1 < text.size()) byte = byte * 16 + hexValue(text[i + 1]);
    record.header[static_cast<std::size_t>(length++)] = static_cast<std::uint8_t>(byte);
  }
  record.headerLength = length;
  record.firstByte = length > 0 ? record.header[0] : 0;
}

}  // namespace quendrix::carving
