#include "diagnostics/error_identity.hpp"

#include <algorithm>
#include <cctype>

namespace quendrix::diagnostics {
namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

std::string trimmed(std::string_view text) {
  auto isBlank = [](unsigned char c) { return std::isspace(c) != 0; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

std::string recoveryModeLabel(SearchMode mode) {
  switch (mode) {
    case SearchMode::Basic:
      return "B";
    case SearchMode::Deep:
      return "D";
    case SearchMode::Photo:
      return "P";
    case SearchMode::Video:
    case SearchMode::Signature:
      return "S";
    case SearchMode::None:
      break;
  }
  return "M";
}

std::string composeErrorCode(const ErrorIdentity& id) {
  return "0x00" + upper(id.stepCode) + "_" + upper(id.moduleCode) + "_" + upper(id.modeLabel);
}

std::string composeErrorMessage(const ErrorIdentity& id) {
  std::string operation = id.operationText;
  operation.erase(std::remove(operation.begin(), operation.end(), '.'), operation.end());
  return "Error while executing \" " + trimmed(operation) + " \" command (" +
         composeErrorCode(id) + ")";
}

}  // namespace quendrix::diagnostics
