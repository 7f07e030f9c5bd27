#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "carving/signature_list.hpp"

namespace quendrix::carving {

// A signature list arranged for the sector test: per distinct offset, in offset-list order, a
// table from the byte found there to the records (in list order) whose header starts with it.
class SignatureIndex {
 public:
  explicit SignatureIndex(const SignatureList& list);

  struct Offset {
    std::size_t position = 0;                // offset - 1, from the sector's first byte
    std::array<std::uint32_t, 257> begin{};  // candidates of byte b: [begin[b], begin[b + 1])
  };

  const std::vector<Offset>& offsets() const { return offsets_; }
  std::span<const FileType1* const> candidates(const Offset& offset, std::uint8_t byte) const {
    return std::span<const FileType1* const>(candidates_)
        .subspan(offset.begin[byte], offset.begin[byte + 1u] - offset.begin[byte]);
  }

  // Whether the record's header lies at position in the block.
  static bool matches(const FileType1& record, std::span<const std::byte> block,
                      std::size_t position);

 private:
  std::vector<Offset> offsets_;
  std::vector<const FileType1*> candidates_;
};

}  // namespace quendrix::carving
