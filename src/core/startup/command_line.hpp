#pragma once

#include <string>
#include <string_view>

namespace quendrix::startup {

// The program's arguments after its own name, joined by single blanks, as a shell would
// have handed the whole remainder of the command line.
std::string joinArguments(int argc, const char* const* argv, int first = 1);

// Trims white space from the end, then the start; then drops a leading and a trailing
// double quote when either end holds one. The result is empty or the path of a recovery log.
std::string normaliseCommandLine(std::string_view text);

}  // namespace quendrix::startup
