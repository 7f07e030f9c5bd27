#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "carving/file_type_search.hpp"
#include "carving/photo_search.hpp"
#include "carving/signature_file.hpp"
#include "posix_raw_device.hpp"
#include "support/temp_dir.hpp"
#include "support/test_paths.hpp"

namespace quendrix::carving {
namespace {

struct Original {
  std::filesystem::path path;
  std::uint64_t sector;
  std::string extension;
};

class SilentReporter final : public diagnostics::ErrorReporter {
 public:
  void report(const diagnostics::ErrorIdentity& id, const std::string& detail) override {
    ADD_FAILURE() << id.stepCode << ": " << detail;
  }
};

// Real pictures and videos laid sector-aligned between filler: each must come back as the
// beginning of the file carved at its sector, by the Photo or the Video search with the
// signature files the program ships.
TEST(CarvingScenarioTest, EveryOriginalIsThePrefixOfItsCarvedFile) {
  const auto dir = test::fixtureDir() / "carving";
  const auto image = dir / "scenario.img";
  std::ifstream manifest(dir / "scenario_manifest.tsv");
  if (!std::filesystem::exists(image) || !manifest) {
    GTEST_SKIP() << "no carving scenario fixture under " << dir;
  }
  std::vector<Original> originals;
  std::string line;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    Original o;
    std::string path, sector, size;
    if (!std::getline(fields, path, '\t') || !std::getline(fields, sector, '\t') ||
        !std::getline(fields, size, '\t')) {
      continue;
    }
    std::getline(fields, o.extension, '\t');
    o.path = path;
    if (o.path.is_relative()) o.path = dir / o.path;
    o.sector = std::stoull(sector);
    originals.push_back(o);
  }
  ASSERT_FALSE(originals.empty());

  test::TempDir out;
  platform::PosixDeviceOpener opener;
  NullProgressSink progress;
  storage::FixedMediaRemovedDecision decision(storage::MediaRemovedChoice::Cancel);
  SilentReporter reporter;
  std::multimap<std::uint64_t, std::filesystem::path> carved;
  CarvingServices services;
  services.opener = &opener;
  services.progress = &progress;
  services.mediaRemoved = &decision;
  services.finished = [&](const FinishedFile& f) { carved.emplace(f.startSector, f.path); };
  services.outputError = [](std::string_view m) { ADD_FAILURE() << m; };
  const std::uint64_t sectors = std::filesystem::file_size(image) / 512;

  PhotoSignatures photo;
  ASSERT_EQ(loadPhotoSignatures(test::binDir(), photo), std::nullopt);
  PhotoSearch photoSearch(photo, services, reporter);
  auto photoOutcome =
      photoSearch.run({image.string(), 0, sectors, out.path(), true}, std::stop_token{});
  EXPECT_FALSE(photoOutcome.stopped);

  std::vector<ExtensionItem> items;
  ASSERT_EQ(loadModeExtensions(test::binDir(), "Video", items), std::nullopt);
  FileTypeSearch videoSearch(test::binDir(), services, reporter);
  auto videoOutcome = videoSearch.run({"Video", image.string(), 0, sectors, out.path(), items}, {});
  EXPECT_FALSE(videoOutcome.stopped);

  for (const auto& o : originals) {
    const std::string want = test::readFile(o.path);
    bool found = false;
    auto [from, to] = carved.equal_range(o.sector);
    for (auto it = from; it != to && !found; ++it) {
      const std::string got = test::readFile(it->second);
      found = got.size() >= want.size() && got.compare(0, want.size(), want) == 0;
    }
    EXPECT_TRUE(found) << o.path << " (" << o.extension << ") at sector " << o.sector << ": "
                       << std::distance(from, to) << " files carved there";
  }
}

}  // namespace
}  // namespace quendrix::carving
