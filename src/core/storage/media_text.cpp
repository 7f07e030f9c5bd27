#include "storage/media_text.hpp"

namespace quendrix::storage {

std::string mediaText(MediaType media, std::string_view busText) {
  switch (media) {
    case MediaType::Removable:
      return "Removable Media";
    case MediaType::Fixed:
      return busText == "USB" ? "External hard disk media" : "Fixed hard disk media";
    default:
      return "";
  }
}

}  // namespace quendrix::storage
