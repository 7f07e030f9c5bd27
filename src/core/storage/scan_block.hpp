#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>

namespace quendrix::storage {

// The buffer a scan reads its blocks into, aligned to a memory page: the kernel copies
// cached data into an aligned buffer markedly faster than into one a few bytes off.
class ScanBlock {
 public:
  static constexpr std::size_t kAlignment = 4096;

  explicit ScanBlock(std::size_t bytes)
      : size_(bytes),
        data_(static_cast<std::byte*>(
            std::aligned_alloc(kAlignment, (bytes + kAlignment - 1) / kAlignment * kAlignment))) {
    if (!data_) throw std::bad_alloc();
  }

  std::span<std::byte> bytes() { return {data_.get(), size_}; }
  std::size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(std::byte* p) const { std::free(p); }
  };
  std::size_t size_;
  std::unique_ptr<std::byte, Free> data_;
};

}  // namespace quendrix::storage
