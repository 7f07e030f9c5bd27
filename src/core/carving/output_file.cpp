#include "carving/output_file.hpp"

#include <cerrno>

namespace quendrix::carving {

std::FILE* openOutputFile(const std::filesystem::path& path, int& error) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "wb+");
  if (f == nullptr) {
    error = errno;
    return nullptr;
  }
  // Chunks are a block at most and written whole; a buffer would only delay a failure to
  // the close.
  std::setvbuf(f, nullptr, _IONBF, 0);
  error = 0;
  return f;
}

bool isAccessDenied(int error) {
  return error == EACCES || error == EPERM;
}

}  // namespace quendrix::carving
