#pragma once

#include <string>
#include <string_view>

namespace quendrix::diagnostics {

// UTF-8 text as UTF-16 little-endian bytes. Malformed input bytes become U+FFFD.
std::string utf8ToUtf16Le(std::string_view utf8);

}  // namespace quendrix::diagnostics
