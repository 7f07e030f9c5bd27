#pragma once

#include <string>
#include <string_view>

namespace quendrix::diagnostics {

inline constexpr const char* kProductName = "Quendrix (Photo and Video)";

// The text of the error report window, ready to copy or mail to support.
std::string composeReportText(std::string_view errorMessage, std::string_view supportEmail);

}  // namespace quendrix::diagnostics
