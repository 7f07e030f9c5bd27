#include "carving/signature_file_names.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quendrix::carving {

std::optional<std::string> checkSignatureFile(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (f == nullptr) {
    std::string text = std::strerror(errno);
    if (text.size() > 1024) text.resize(1024);
    return std::string(kCouldNotOpenPrefix) + text;
  }
  std::fclose(f);
  return std::nullopt;
}

std::optional<std::string> checkStartupSignatureFiles(const std::filesystem::path& folder) {
  for (const char* name : kStartupCheckedFiles) {
    if (auto failure = checkSignatureFile(folder / name)) return failure;
  }
  return std::nullopt;
}

}  // namespace quendrix::carving
