#include "diagnostics/report_text.hpp"

namespace quendrix::diagnostics {

std::string composeReportText(std::string_view errorMessage, std::string_view supportEmail) {
  std::string text = "Note: You should Send this information to support email: ";
  text += supportEmail;
  text += "\n" + std::string(45, '=') + "\n\n";
  text += errorMessage;
  text += "\n\nUser encountered following error while using \n\"";
  text += kProductName;
  text += "\"";
  text +=
      "\n\nMy Operating system is: \n\nI am using following security/Antivirus/Firewall "
      "Software in My Machine: \n\nThe Hardware Configuration details of My Machine in which I "
      "am running the software are: \n\n\nThe details of my Storage media (from which I am "
      "trying to recover data) are as follows: \nMedia Type: \nStorage Capacity: "
      "\nManufacturer: \n";
  return text;
}

}  // namespace quendrix::diagnostics
