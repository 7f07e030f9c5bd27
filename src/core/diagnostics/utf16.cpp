#include "diagnostics/utf16.hpp"

#include <cstdint>

namespace quendrix::diagnostics {
namespace {

void putUnit(std::string& out, std::uint16_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

}  // namespace

std::string utf8ToUtf16Le(std::string_view in) {
  std::string out;
  out.reserve(in.size() * 2);
  std::size_t i = 0;
  while (i < in.size()) {
    const auto c = static_cast<unsigned char>(in[i]);
    std::uint32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6) {
      len = 2;
    } else if ((c >> 4) == 0xE) {
      len = 3;
    } else if ((c >> 3) == 0x1E) {
      len = 4;
    }
    if (len > 1) {
      bool ok = i + len <= in.size();
      std::uint32_t v = c & (0x7F >> len);
      for (std::size_t k = 1; ok && k < len; ++k) {
        const auto cc = static_cast<unsigned char>(in[i + k]);
        if ((cc & 0xC0) != 0x80) ok = false;
        v = (v << 6) | (cc & 0x3F);
      }
      if (ok && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
        cp = v;
      } else {
        cp = 0xFFFD;
        len = 1;
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      putUnit(out, static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
      putUnit(out, static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      putUnit(out, static_cast<std::uint16_t>(cp));
    }
    i += len;
  }
  return out;
}

}  // namespace quendrix::diagnostics
