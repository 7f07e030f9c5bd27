#include "storage/read_sectors.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "posix_raw_device.hpp"
#include "storage/scan_reader.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::storage {
namespace {

// An image of N sectors where every byte of sector k is (k + 1) & 0xFF.
std::string patternImage(unsigned sectors) {
  std::string bytes;
  for (unsigned k = 0; k < sectors; ++k) bytes.append(kSectorSize, static_cast<char>((k + 1) & 0xFF));
  return bytes;
}

class ReadSectorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (dir_ / "disk.img").string();
    test::writeFile(path_, patternImage(10));
    ::chmod(path_.c_str(), 0444);
  }
  std::vector<std::byte> read(std::uint32_t count, SectorNumber first, bool* ok) {
    std::vector<std::byte> buf(count * kSectorSize, std::byte{0xEE});
    *ok = ReadSectors(opener_, count, path_, first, buf);
    return buf;
  }
  test::TempDir dir_;
  std::string path_;
  platform::PosixDeviceOpener opener_;
};

TEST_F(ReadSectorsTest, ReadsWholeSectorsInsideTheImage) {
  struct Case {
    SectorNumber first;
    std::uint32_t count;
  };
  for (const Case c : {Case{0, 1}, Case{4, 2}, Case{9, 1}, Case{0, 10}}) {
    bool ok = false;
    auto buf = read(c.count, c.first, &ok);
    ASSERT_TRUE(ok) << c.first;
    for (std::uint32_t i = 0; i < c.count; ++i) {
      EXPECT_EQ(std::to_integer<int>(buf[i * kSectorSize]), static_cast<int>(c.first + i + 1));
      EXPECT_EQ(std::to_integer<int>(buf[i * kSectorSize + 511]), static_cast<int>(c.first + i + 1));
    }
  }
}

TEST_F(ReadSectorsTest, ReadsPastTheEndSucceedWithZeroFill) {
  bool ok = false;
  auto crossing = read(4, 8, &ok);  // sectors 8 and 9 exist, 10 and 11 do not
  ASSERT_TRUE(ok);
  EXPECT_EQ(std::to_integer<int>(crossing[0]), 9);
  EXPECT_EQ(std::to_integer<int>(crossing[2 * kSectorSize - 1]), 10);
  for (std::size_t i = 2 * kSectorSize; i < crossing.size(); ++i) {
    ASSERT_EQ(std::to_integer<int>(crossing[i]), 0) << i;
  }
  auto beyond = read(2, 50, &ok);
  ASSERT_TRUE(ok);
  for (auto b : beyond) ASSERT_EQ(std::to_integer<int>(b), 0);
}

TEST_F(ReadSectorsTest, FailsWithoutTouchingAnythingWhenTheSourceIsMissing) {
  std::vector<std::byte> buf(kSectorSize);
  EXPECT_FALSE(ReadSectors(opener_, 1, (dir_ / "missing.img").string(), 0, buf));
  EXPECT_FALSE(ReadSectors(opener_, 1, dir_.path().string(), 0, buf));  // a folder
  EXPECT_FALSE(ReadSectors(opener_, 2, path_, 0, buf));                 // buffer too small
}

TEST_F(ReadSectorsTest, ScanBoundRefusesPositionsPastTheVolumeEnd) {
  std::vector<std::byte> buf(kSectorSize);
  const auto bound = ReadBound::forScan(1, 5 * kSectorSize);
  EXPECT_TRUE(ReadSectors(opener_, 1, path_, 5, buf, bound));
  EXPECT_FALSE(ReadSectors(opener_, 1, path_, 6, buf, bound));
  // Stage 0 is not bounded.
  EXPECT_TRUE(ReadSectors(opener_, 1, path_, 6, buf, ReadBound::forScan(0, 5 * kSectorSize)));
}

TEST_F(ReadSectorsTest, SourceStaysUnchanged) {
  const std::string before = test::readFile(path_);
  bool ok = false;
  read(10, 0, &ok);
  auto scan = ScanReader::open(opener_, path_);
  ASSERT_NE(scan, nullptr);
  std::vector<std::byte> block(kDefaultBlockBytes);
  scan->read(0, block);
  EXPECT_EQ(test::readFile(path_), before);
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST(ReadSectorsLarge, PositionBeyondTwoTebibytesOnASparseFile) {
  test::TempDir dir;
  const auto path = (dir / "sparse.img").string();
  const SectorNumber far = SectorNumber{1} << 32;  // byte 2^41
  {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const char marker[] = "FAR-SECTOR";
    ASSERT_EQ(::pwrite(fd, marker, sizeof marker, static_cast<off_t>(sectorToByte(far))),
              static_cast<ssize_t>(sizeof marker));
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(sectorToByte(far + 4))), 0);
    ::close(fd);
  }
  platform::PosixDeviceOpener opener;
  std::vector<std::byte> buf(kSectorSize);
  ASSERT_TRUE(ReadSectors(opener, 1, path, far, buf));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buf.data()), 10), "FAR-SECTOR");
  ASSERT_TRUE(ReadSectors(opener, 1, path, 0, buf));
  EXPECT_EQ(std::to_integer<int>(buf[0]), 0);
  auto device = opener.open(path);
  ASSERT_TRUE(device);
  EXPECT_EQ(device->sizeBytes(), sectorToByte(far + 4));
}

TEST(ScanReaderTest, ReadsBlocksAndCountsOnlyDeliveredBytes) {
  test::TempDir dir;
  const auto path = (dir / "d.img").string();
  test::writeFile(path, patternImage(600));
  platform::PosixDeviceOpener opener;
  auto scan = ScanReader::open(opener, path);
  ASSERT_NE(scan, nullptr);
  std::vector<std::byte> block(kDefaultBlockBytes, std::byte{0x77});
  EXPECT_EQ(scan->read(0, block), kDefaultBlockBytes);
  EXPECT_EQ(std::to_integer<int>(block[511 * kSectorSize]), 512 & 0xFF);
  EXPECT_EQ(scan->read(512, block), 88u * kSectorSize);
  EXPECT_EQ(std::to_integer<int>(block[88 * kSectorSize]), 0);
  EXPECT_EQ(scan->sizeBytes(), 600u * kSectorSize);
  EXPECT_EQ(ScanReader::open(opener, (dir / "none").string()), nullptr);
}

}  // namespace
}  // namespace quendrix::storage
