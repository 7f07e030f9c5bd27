#include "carving/signature_index.hpp"

#include <cstring>

namespace quendrix::carving {

SignatureIndex::SignatureIndex(const SignatureList& list) {
  const auto& records = list.records();
  for (const int offset : list.offsets()) {
    if (offset < 1) continue;
    Offset entry;
    entry.position = static_cast<std::size_t>(offset - 1);
    for (unsigned byte = 0; byte < 256; ++byte) {
      entry.begin[byte] = static_cast<std::uint32_t>(candidates_.size());
      for (const auto& record : records) {
        if (record.offset == offset && record.canMatch() &&
            record.firstByte == static_cast<int>(byte)) {
          candidates_.push_back(&record);
        }
      }
    }
    entry.begin[256] = static_cast<std::uint32_t>(candidates_.size());
    offsets_.push_back(entry);
  }
}

bool SignatureIndex::matches(const FileType1& record, std::span<const std::byte> block,
                             std::size_t position) {
  const auto length = static_cast<std::size_t>(record.headerLength);
  if (length == 0 || position > block.size() || block.size() - position < length) return false;
  return std::memcmp(block.data() + position, record.header.data(), length) == 0;
}

}  // namespace quendrix::carving
