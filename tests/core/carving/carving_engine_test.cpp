#include "carving/carving_engine.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <map>

#include "support/memory_device.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::carving {
namespace {

constexpr std::size_t kS = 512;
constexpr std::size_t kB = 512 * kS;

// Sector i is filled with one byte from 0xC0 up, which no test header uses.
std::string image(std::size_t sectors) {
  std::string img(sectors * kS, '\0');
  for (std::size_t i = 0; i < sectors; ++i) {
    std::fill_n(img.begin() + static_cast<std::ptrdiff_t>(i * kS), kS,
                static_cast<char>(0xC0 + i % 60));
  }
  return img;
}

void put(std::string& img, std::size_t sector, std::size_t offset, const std::string& bytes) {
  img.replace(sector * kS + offset, bytes.size(), bytes);
}

SignatureList signatures(std::initializer_list<std::array<const char*, 4>> records) {
  SignatureList list;
  for (const auto& [ext, max, header, offset] : records) {
    FileType1 r;
    r.extension = ext;
    r.maxSizeText = max;
    setHeaderFromText(r, header);
    r.offset = parseDecimalInt(offset);
    list.append(r);
  }
  return list;
}

class ScriptedDecision final : public storage::MediaRemovedDecision {
 public:
  storage::MediaRemovedChoice choice = storage::MediaRemovedChoice::Dismissed;
  int asked = 0;
  storage::MediaRemovedChoice decide() override {
    ++asked;
    return choice;
  }
};

struct Done {
  std::string extension, name;
  std::filesystem::path path;
  PassKind pass;
};

struct Harness {
  test::TempDir dir;
  test::MemoryOpener opener;
  NullProgressSink progress;
  ScriptedDecision decision;
  std::vector<Done> done;
  std::vector<std::string> errors;
  OutputOpener openOutput = openOutputFile;
  std::function<void(const FinishedFile&)> onFinished;
  std::stop_source stop;

  PassResult run(CarvingVariant variant, const SignatureList& list, std::uint64_t start,
                 std::uint64_t end) {
    CarvingServices services;
    services.opener = &opener;
    services.progress = &progress;
    services.mediaRemoved = &decision;
    services.openOutput = openOutput;
    services.finished = [this](const FinishedFile& f) {
      done.push_back({std::string(f.extension), std::string(f.name), f.path, f.pass});
      if (onFinished) onFinished(f);
    };
    services.outputError = [this](std::string_view m) { errors.emplace_back(m); };
    CarvingEngine engine(services);
    ExtensionTable table;
    for (const auto& r : list.records()) {
      const std::string bare = r.extension.substr(1);
      if (variant == CarvingVariant::Photo) {
        table.addDistinct(bare);
      } else if (!table.findExact(upperAscii(bare))) {
        table.add(upperAscii(bare));
      }
    }
    PhotoNamer photo(table);
    FileTypeNamer fileType(table);
    PassRequest request;
    request.variant = variant;
    request.devicePath = "memory";
    request.startSector = start;
    request.endSector = end;
    request.modeName = "Video";
    request.searchRoot = dir / "root";
    request.signatures = &list;
    request.namer = variant == CarvingVariant::Photo ? static_cast<CarvedNamer*>(&photo)
                                                     : static_cast<CarvedNamer*>(&fileType);
    return engine.runPass(request, stop.get_token());
  }

  std::string content(std::size_t i) const { return test::readFile(done.at(i).path); }
};

const std::string kA = "QJPA";  // headers of the tests' records
const std::string kB2 = "QNPB";

TEST(CarvingEngineTest, HeaderInLastSectorOfABlockThenFirstOfTheNext) {
  Harness h;
  auto img = image(1024);
  put(img, 511, 0, kA);
  put(img, 512, 0, kB2);
  h.opener.set(img);
  auto list =
      signatures({{".jpg", "99999999", "514A5041", "1"}, {".png", "99999999", "514E", "1"}});
  auto r = h.run(CarvingVariant::Photo, list, 0, 1024);
  EXPECT_FALSE(r.stopped);
  ASSERT_EQ(h.done.size(), 2u);
  EXPECT_EQ(h.done[0].name, "GNDR00001.jpg");
  EXPECT_TRUE(h.content(0) == img.substr(511 * kS, kS));
  EXPECT_EQ(h.done[1].name, "GNDR00002.png");
  EXPECT_TRUE(h.content(1) == img.substr(512 * kS));
  EXPECT_EQ(h.done[0].path, h.dir / "root" / "General" / "jpg" / "GNDR00001.jpg");
}

TEST(CarvingEngineTest, TwoMatchingRecordsPerVariant) {
  auto img = image(40);
  put(img, 10, 0, "QRAS");
  put(img, 20, 0, "QEND");
  // The longer header is listed second; offset 5 comes first in the offset list.
  auto list = signatures({{".six", "9999999", "4153", "3"},
                          {".one", "9999999", "5152", "1"},
                          {".two", "9999999", "51524153", "1"},
                          {".end", "9999999", "51454E44", "1"}});
  {
    Harness h;
    h.opener.set(img);
    h.run(CarvingVariant::Photo, list, 0, 40);
    ASSERT_EQ(h.done.size(), 2u);
    EXPECT_EQ(h.done[0].name, "GNDR00001.six");  // first in offset-list order
    EXPECT_TRUE(h.content(0) == img.substr(10 * kS, 10 * kS));
  }
  {
    Harness h;
    h.opener.set(img);
    auto r = h.run(CarvingVariant::FileType, list, 0, 40);
    ASSERT_EQ(h.done.size(), 4u);
    EXPECT_EQ(r.filesFinished, 4u);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < 3; ++i) {
      names.push_back(h.done[i].name);
      EXPECT_TRUE(h.content(i) == img.substr(10 * kS, 10 * kS)) << h.done[i].name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"SIX00001.SIX", "ONE00001.ONE", "TWO00001.TWO"}));
    EXPECT_EQ(h.done[0].extension, "SIX");
  }
}

TEST(CarvingEngineTest, MoreThanThirtyFilesInOneSector) {
  auto img = image(8);
  put(img, 2, 0, "QQ");
  SignatureList list;
  for (int i = 0; i < 40; ++i) {
    FileType1 r;
    r.extension = ".t" + std::to_string(i);
    r.maxSizeText = "100000";
    setHeaderFromText(r, "51");
    r.offset = 1;
    list.append(r);
  }
  Harness h;
  h.opener.set(img);
  h.run(CarvingVariant::FileType, list, 0, 8);
  ASSERT_EQ(h.done.size(), 40u);
  for (std::size_t i = 0; i < 40; ++i) EXPECT_TRUE(h.content(i) == img.substr(2 * kS));
}

TEST(CarvingEngineTest, MaximumSizesCutFilesAtBlockEnds) {
  struct Case {
    const char* max;
    std::size_t header;
    std::size_t nextHeader;  // 0: none
    std::size_t from, length;
  } cases[] = {
      {"1000", 0, 0, 0, 1000},  // below the first block's part
      {"262144", 0, 0, 0, kB},  // exactly one block
      {"393216", 0, 0, 0, kB},  // cut at the last block end before it
      {"786432", 256, 0, 256 * kS, kB / 2 + 2 * kB},
      {"0", 0, 1024 + 3, 2 * kB, 3 * kS},  // only the part before the next header
      {"0", 5, 0, 0, 0},                   // nothing at all without one
      {"1000", 0, 100, 0, 100 * kS},       // a header in the same block ends it there
  };
  for (const auto& c : cases) {
    Harness h;
    auto img = image(4 * 512);
    put(img, c.header, 0, kA);
    if (c.nextHeader != 0) put(img, c.nextHeader, 0, kB2);
    h.opener.set(img);
    auto list = signatures({{".jpg", c.max, "514A5041", "1"}, {".png", "0", "514E", "1"}});
    h.run(CarvingVariant::Photo, list, 0, 4 * 512);
    ASSERT_FALSE(h.done.empty());
    EXPECT_TRUE(h.content(0) == img.substr(c.from, c.length))
        << c.max << " " << c.header << " got " << h.content(0).size();
  }
}

TEST(CarvingEngineTest, ShortFinalBlockIsSearchedAndWrittenUpToTheEnd) {
  Harness h;
  auto img = image(700);
  put(img, 120, 0, kA);
  put(img, 650, 0, kB2);  // beyond the end of the range
  h.opener.set(img);
  auto list = signatures({{".jpg", "99999999", "514A5041", "1"}, {".png", "99999", "514E", "1"}});
  h.run(CarvingVariant::Photo, list, 100, 640);
  ASSERT_EQ(h.done.size(), 1u);
  EXPECT_TRUE(h.content(0) == img.substr(120 * kS, 520 * kS));
}

TEST(CarvingEngineTest, HeaderMustLieInsideTheBlock) {
  struct Case {
    std::size_t sector;
    bool found;
  } cases[] = {{100, true}, {510, true}, {511, false}};
  for (const auto& c : cases) {
    Harness h;
    auto img = image(1024);
    put(img, c.sector, 508, "QLONGHDR");  // offset 509: reaches into the next sector
    h.opener.set(img);
    auto list = signatures({{".raw", "99999999", "514C4F4E47484452", "509"}});
    h.run(CarvingVariant::FileType, list, 0, 1024);
    EXPECT_EQ(h.done.size(), c.found ? 1u : 0u) << c.sector;
  }
}

TEST(CarvingEngineTest, StopInTheMiddleOfABlock) {
  auto img = image(3 * 512);
  put(img, 3, 0, kA);
  put(img, 512 + 10, 0, kB2);
  auto list =
      signatures({{".jpg", "99999999", "514A5041", "1"}, {".png", "99999999", "514E", "1"}});
  {
    // Stop arrives while the third block is read: the file keeps the two blocks before.
    Harness h;
    auto one = image(3 * 512);
    put(one, 3, 0, kA);
    h.opener.set(one);
    h.opener.hook = [&h](std::uint64_t offset) {
      if (offset == 2 * kB) h.stop.request_stop();
      return true;
    };
    auto r = h.run(CarvingVariant::Photo, list, 0, 3 * 512);
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(h.done.size(), 1u);
    EXPECT_TRUE(h.content(0) == one.substr(3 * kS, 2 * kB - 3 * kS));
  }
  for (auto variant : {CarvingVariant::Photo, CarvingVariant::FileType}) {
    // Stop arrives as the first file is finished at the second header: the new file is empty.
    Harness h;
    h.opener.set(img);
    h.onFinished = [&h](const FinishedFile&) { h.stop.request_stop(); };
    auto r = h.run(variant, list, 0, 3 * 512);
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(h.done.size(), 2u);
    EXPECT_TRUE(h.content(0) == img.substr(3 * kS, kB + 7 * kS));
    EXPECT_EQ(h.content(1), "");
  }
}

TEST(CarvingEngineTest, OutputThatCannotBeOpenedStopsTheSearch) {
  struct Case {
    int error;
    bool fileInTheWay;
    const char* savedAs;  // nullptr: the search stops
  } cases[] = {
      {ENOSPC, false, nullptr},
      {EACCES, true, "GNDR00002.jpg"},  // a file in the way that cannot be replaced
      {EPERM, true, "GNDR00002.jpg"},
      {EACCES, false, nullptr},  // the folder itself refuses: no other name helps
  };
  for (const auto& c : cases) {
    Harness h;
    auto img = image(8);
    put(img, 1, 0, kA);
    h.opener.set(img);
    const auto blocked = h.dir / "root" / "General" / "jpg" / "GNDR00001.jpg";
    if (c.fileInTheWay) {
      std::filesystem::create_directories(blocked.parent_path());
      test::writeFile(blocked, "old");
    }
    h.openOutput = [&](const std::filesystem::path& p, int& error) -> std::FILE* {
      if (p == blocked) {
        error = c.error;
        return nullptr;
      }
      return openOutputFile(p, error);
    };
    auto list = signatures({{".jpg", "99999999", "514A5041", "1"}});
    auto r = h.run(CarvingVariant::Photo, list, 0, 8);
    if (c.savedAs == nullptr) {
      EXPECT_TRUE(r.stopped && r.outputFailed) << c.error;
      ASSERT_EQ(h.errors.size(), 1u);
      EXPECT_EQ(h.errors[0], kOutputFailureMessage);
      EXPECT_TRUE(h.done.empty());
    } else {
      EXPECT_FALSE(r.stopped);
      ASSERT_EQ(h.done.size(), 1u);
      EXPECT_EQ(h.done[0].name, c.savedAs);
      EXPECT_TRUE(h.content(0) == img.substr(kS));
    }
  }
}

TEST(CarvingEngineTest, FailedWriteStopsTheSearch) {
  Harness h;
  auto img = image(2048);
  put(img, 1, 0, kA);
  put(img, 1500, 0, kB2);
  h.opener.set(img);
  h.openOutput = [](const std::filesystem::path&, int& error) -> std::FILE* {
    std::FILE* f = std::fopen("/dev/full", "wb");
    error = errno;
    if (f) std::setvbuf(f, nullptr, _IONBF, 0);
    return f;
  };
  auto list =
      signatures({{".jpg", "99999999", "514A5041", "1"}, {".png", "99999999", "514E", "1"}});
  auto r = h.run(CarvingVariant::Photo, list, 0, 2048);
  EXPECT_TRUE(r.stopped && r.outputFailed);
  EXPECT_EQ(r.filesStarted, 1u);
  ASSERT_EQ(h.errors.size(), 1u);
  EXPECT_EQ(h.errors[0], kOutputFailureMessage);
}

TEST(CarvingEngineDeathTest, ShortWriteAtTheFileSizeLimitStopsTheSearch) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto img = image(2048);
  put(img, 1, 0, kA);
  put(img, 1500, 0, kB2);
  auto list =
      signatures({{".jpg", "99999999", "514A5041", "1"}, {".png", "99999999", "514E", "1"}});
  auto carveWithLimit = [&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 100000;
    setrlimit(RLIMIT_FSIZE, &limit);
    Harness h;
    h.opener.set(img);
    auto r = h.run(CarvingVariant::Photo, list, 0, 2048);
    const bool ok = r.outputFailed && h.errors.size() == 1 && r.filesStarted == 1;
    std::exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(carveWithLimit(), ::testing::ExitedWithCode(0), "");
}

TEST(CarvingEngineTest, ReadFailuresFollowTheUsersChoice) {
  // Large enough that a failing read is asked about; only the first MiBs hold data.
  constexpr std::uint64_t kSectors = kAskOnReadFailureSectors + 8 * 512;
  auto img = image(16 * 512);
  put(img, 0, 0, kA);
  struct Case {
    storage::MediaRemovedChoice choice;
    bool failOnce;
    int asked;
    bool stopped;
    bool blockZeroed;  // the failed block reached the file as zeros
  } cases[] = {
      {storage::MediaRemovedChoice::Dismissed, false, 2, false, true},
      {storage::MediaRemovedChoice::Retry, true, 2, false, false},
      {storage::MediaRemovedChoice::Retry, false, 2, false, true},
      {storage::MediaRemovedChoice::RetryAlways, false, 1, false, true},
      {storage::MediaRemovedChoice::Cancel, false, 1, true, false},
  };
  for (const auto& c : cases) {
    Harness h;
    h.opener.set(img);
    h.opener.size = kSectors * kS;
    h.decision.choice = c.choice;
    std::map<std::uint64_t, int> failures;
    h.opener.hook = [&](std::uint64_t offset) {
      if (offset != 2 * kB && offset != 5 * kB) return true;
      return c.failOnce ? failures[offset]++ > 0 : false;
    };
    auto list = signatures({{".jpg", "2097152", "514A5041", "1"}});
    auto r = h.run(CarvingVariant::Photo, list, 0, kSectors);
    const int caseNo = static_cast<int>(&c - cases);
    EXPECT_EQ(h.decision.asked, c.asked) << caseNo;
    EXPECT_EQ(r.stopped, c.stopped) << caseNo;
    ASSERT_EQ(h.done.size(), 1u) << caseNo;
    std::string expected = img.substr(0, c.stopped ? 2 * kB : 8 * kB);
    if (c.blockZeroed) {
      std::fill_n(expected.begin() + 2 * kB, kB, '\0');
      std::fill_n(expected.begin() + 5 * kB, kB, '\0');
    }
    EXPECT_TRUE(h.content(0) == expected) << caseNo;
  }
}

TEST(CarvingEngineTest, ReadFailureNearTheEndIsTakenAsZerosWithoutAsking) {
  Harness h;
  auto img = image(4 * 512);
  put(img, 0, 0, kA);
  h.opener.set(img);
  h.opener.hook = [](std::uint64_t offset) { return offset != kB; };
  auto list = signatures({{".jpg", "99999999", "514A5041", "1"}});
  h.run(CarvingVariant::Photo, list, 0, 4 * 512);
  EXPECT_EQ(h.decision.asked, 0);
  ASSERT_EQ(h.done.size(), 1u);
  std::string expected = img;
  std::fill_n(expected.begin() + kB, kB, '\0');
  EXPECT_TRUE(h.content(0) == expected);
}

TEST(CarvingEngineTest, SourceThatCannotBeOpened) {
  auto list = signatures({{".jpg", "99999999", "514A5041", "1"}});
  {
    Harness h;
    h.opener.openHook = [] { return false; };
    h.decision.choice = storage::MediaRemovedChoice::Cancel;
    auto r = h.run(CarvingVariant::Photo, list, 0, 100);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(h.decision.asked, 1);
  }
  {
    // Retry opens it again.
    Harness h;
    auto img = image(100);
    put(img, 4, 0, kA);
    h.opener.set(img);
    h.opener.openHook = [&h] { return h.opener.opens > 1; };
    h.decision.choice = storage::MediaRemovedChoice::Retry;
    auto r = h.run(CarvingVariant::Photo, list, 0, 100);
    EXPECT_FALSE(r.stopped);
    ASSERT_EQ(h.done.size(), 1u);
    EXPECT_TRUE(h.content(0) == img.substr(4 * kS));
  }
}

TEST(CarvingEngineTest, EmptyListSkipsAFileTypePassOnly) {
  SignatureList empty;
  Harness h;
  h.opener.set(image(10));
  EXPECT_FALSE(h.run(CarvingVariant::FileType, empty, 0, 10).ran);
  EXPECT_TRUE(h.run(CarvingVariant::Photo, empty, 0, 10).ran);
  EXPECT_TRUE(std::filesystem::is_directory(h.dir / "root" / "General"));
}

}  // namespace
}  // namespace quendrix::carving

namespace quendrix::carving {
namespace {

// A file the system will not let anyone replace, root included.
class ImmutableFile {
 public:
  explicit ImmutableFile(std::filesystem::path path) : path_(std::move(path)) {
    std::filesystem::create_directories(path_.parent_path());
    test::writeFile(path_, "keep");
    ok_ = std::system(("chattr +i '" + path_.string() + "' 2>/dev/null").c_str()) == 0;
  }
  ~ImmutableFile() {
    if (ok_) std::system(("chattr -i '" + path_.string() + "'").c_str());
  }
  bool ok() const { return ok_; }

 private:
  std::filesystem::path path_;
  bool ok_ = false;
};

TEST(CarvingEngineTest, FileInTheWayIsSkippedByTakingTheNextNumber) {
  struct Case {
    CarvingVariant variant;
    const char* blocked;
    const char* savedAs;
  } cases[] = {{CarvingVariant::Photo, "jpg/GNDR00001.jpg", "GNDR00002.jpg"},
               {CarvingVariant::FileType, "JPG/JPG00001.JPG", "JPG00002.JPG"}};
  for (const auto& c : cases) {
    Harness h;
    auto img = image(8);
    put(img, 1, 0, kA);
    h.opener.set(img);
    ImmutableFile blocked(h.dir / "root" / "General" / c.blocked);
    if (!blocked.ok()) GTEST_SKIP() << "chattr +i is not available here";
    auto list = signatures({{".jpg", "99999999", "514A5041", "1"}});
    auto r = h.run(c.variant, list, 0, 8);
    EXPECT_FALSE(r.stopped);
    ASSERT_EQ(h.done.size(), 1u);
    EXPECT_EQ(h.done[0].name, c.savedAs);
    EXPECT_TRUE(h.content(0) == img.substr(kS));
    EXPECT_EQ(test::readFile(h.dir / "root" / "General" / c.blocked), "keep");
  }
}

}  // namespace
}  // namespace quendrix::carving
