#pragma once

#include <string>
#include <string_view>

#include "search_mode.hpp"

namespace quendrix::diagnostics {

// The four texts every guarded step carries.
struct ErrorIdentity {
  std::string stepCode;       // e.g. "1E_A_1"
  std::string moduleCode;     // e.g. "LD"
  std::string modeLabel;      // "B", "D", "P", "S" or "M"
  std::string operationText;  // e.g. "Scanning for drive partition..."
};

// "B" Basic, "D" Deep, "P" Photo, "S" Video and Signature, "M" when none is chosen.
std::string recoveryModeLabel(SearchMode mode);

// "0x00" + step + "_" + module + "_" + label, the three parts upper-cased.
std::string composeErrorCode(const ErrorIdentity& id);

// Error while executing " <operation without dots, trimmed> " command (<code>)
std::string composeErrorMessage(const ErrorIdentity& id);

}  // namespace quendrix::diagnostics
