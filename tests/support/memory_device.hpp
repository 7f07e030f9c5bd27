#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "storage/raw_device.hpp"

namespace quendrix::test {

// An in-memory source. Bytes beyond the content read as zeros up to the stated size; a hook
// may fail or observe a read.
class MemoryDevice final : public storage::RawDevice {
 public:
  // Returns false to make the read at that byte position fail.
  using ReadHook = std::function<bool(std::uint64_t byteOffset)>;

  MemoryDevice(std::shared_ptr<const std::string> bytes, std::uint64_t size, ReadHook hook)
      : bytes_(std::move(bytes)), size_(size), hook_(std::move(hook)) {}

  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) override {
    if (hook_ && !hook_(offset)) return std::nullopt;
    if (offset >= size_) return 0;
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), size_ - offset));
    std::memset(out.data(), 0, n);
    if (offset < bytes_->size()) {
      const auto have = std::min<std::size_t>(n, bytes_->size() - offset);
      std::memcpy(out.data(), bytes_->data() + offset, have);
    }
    return n;
  }
  std::optional<std::uint64_t> sizeBytes() const override { return size_; }

 private:
  std::shared_ptr<const std::string> bytes_;
  std::uint64_t size_;
  ReadHook hook_;
};

class MemoryOpener final : public storage::RawDeviceOpener {
 public:
  std::shared_ptr<const std::string> bytes = std::make_shared<std::string>();
  std::uint64_t size = 0;  // 0: the content's size
  MemoryDevice::ReadHook hook;
  std::function<bool()> openHook;  // returns false to make an open fail
  int opens = 0;

  void set(std::string content) {
    bytes = std::make_shared<std::string>(std::move(content));
    size = 0;
  }
  std::unique_ptr<storage::RawDevice> open(std::string_view) override {
    ++opens;
    if (openHook && !openHook()) return nullptr;
    return std::make_unique<MemoryDevice>(bytes, size != 0 ? size : bytes->size(), hook);
  }
};

}  // namespace quendrix::test
