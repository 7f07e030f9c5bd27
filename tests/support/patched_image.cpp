#include "support/patched_image.hpp"

#include <algorithm>
#include <fstream>

namespace quendrix::test {

class PatchedDevice final : public storage::RawDevice {
 public:
  explicit PatchedDevice(const PatchedImage& image) : image_(image) {
    if (!image.base_.empty()) file_.open(image.base_, std::ios::binary);
  }

  std::optional<std::size_t> readAt(std::uint64_t offset, std::span<std::byte> out) override {
    if (offset >= image_.size_) return 0;
    const auto n =
        static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), image_.size_ - offset));
    std::fill(out.begin(), out.end(), std::byte{0});
    if (file_.is_open()) {
      file_.clear();
      file_.seekg(static_cast<std::streamoff>(offset));
      file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
    }
    for (auto it = image_.patches_.lower_bound(offset);
         it != image_.patches_.end() && it->first < offset + n; ++it) {
      out[it->first - offset] = std::byte{it->second};
    }
    return n;
  }
  std::optional<std::uint64_t> sizeBytes() const override { return image_.size_; }

 private:
  const PatchedImage& image_;
  std::ifstream file_;
};

PatchedImage::PatchedImage(std::filesystem::path base)
    : base_(std::move(base)), size_(std::filesystem::file_size(base_)) {}

PatchedImage::PatchedImage(std::uint64_t zeroBytes) : size_(zeroBytes) {}

PatchedImage& PatchedImage::bytes(std::uint64_t offset, std::string_view data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    patches_[offset + i] = static_cast<std::uint8_t>(data[i]);
  }
  return *this;
}

PatchedImage& PatchedImage::u8(std::uint64_t offset, std::uint8_t v) {
  patches_[offset] = v;
  return *this;
}

PatchedImage& PatchedImage::u32(std::uint64_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) patches_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
  return *this;
}

PatchedImage& PatchedImage::u64(std::uint64_t offset, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) patches_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
  return *this;
}

PatchedImage& PatchedImage::signature(std::uint64_t sector) {
  return u8(sector * 512 + 510, 0x55).u8(sector * 512 + 511, 0xAA);
}

PatchedImage& PatchedImage::entry(std::uint64_t sector, int i, std::uint8_t type,
                                  std::uint32_t first, std::uint32_t count) {
  const std::uint64_t at = sector * 512 + 446 + static_cast<std::uint64_t>(i) * 16;
  return u8(at + 4, type).u32(at + 8, first).u32(at + 12, count).signature(sector);
}

std::unique_ptr<storage::RawDevice> PatchedImage::open(std::string_view) {
  return std::make_unique<PatchedDevice>(*this);
}

}  // namespace quendrix::test
