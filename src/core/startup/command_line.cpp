#include "startup/command_line.hpp"

#include <cctype>

namespace quendrix::startup {

std::string joinArguments(int argc, const char* const* argv, int first) {
  std::string out;
  for (int i = first; i < argc; ++i) {
    if (i > first) out += ' ';
    out += argv[i];
  }
  return out;
}

std::string normaliseCommandLine(std::string_view text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  if (!text.empty() && (text.front() == '"' || text.back() == '"')) {
    if (text.front() == '"') text.remove_prefix(1);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
  }
  return std::string(text);
}

}  // namespace quendrix::startup
