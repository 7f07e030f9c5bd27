#include <gtest/gtest.h>

#include "carving/file_type_search.hpp"
#include "carving/photo_search.hpp"
#include "carving/search_checks.hpp"
#include "carving/signature_file_names.hpp"
#include "support/memory_device.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::carving {
namespace {

constexpr std::size_t kS = 512;

std::string record(const std::string& ext, const std::string& header,
                   const std::string& offset = "1", const std::string& max = "99999999") {
  return "Extension:" + ext + "\nMaximum size:" + max + "\nHeader:" + header +
         "\nOffset:" + offset + "\nReserved:\nDescription:Type " + ext + "\n";
}

class CountingReporter final : public diagnostics::ErrorReporter {
 public:
  std::vector<std::string> steps;
  void report(const diagnostics::ErrorIdentity& id, const std::string&) override {
    steps.push_back(id.stepCode);
  }
};

struct SearchHarness {
  test::TempDir dir;
  test::MemoryOpener opener;
  NullProgressSink progress;
  storage::FixedMediaRemovedDecision decision{storage::MediaRemovedChoice::Dismissed};
  CountingReporter reporter;
  std::vector<std::string> finished;  // "pass/name"
  std::function<void()> onFinished;
  std::stop_source stop;

  SearchHarness() {
    std::string img(64 * kS, '\x01');
    img.replace(2 * kS, 4, "QJPG");
    img.replace(10 * kS, 4, "QPNG");
    img.replace(20 * kS, 4, "QMP4");
    img.replace(30 * kS, 4, "QAVI");
    opener.set(img);
    std::filesystem::create_directory(dir / "dest");
  }
  CarvingServices services() {
    CarvingServices s;
    s.opener = &opener;
    s.progress = &progress;
    s.mediaRemoved = &decision;
    s.finished = [this](const FinishedFile& f) {
      finished.push_back(std::string(passFolderName(f.pass)) + "/" + std::string(f.name));
      if (onFinished) onFinished();
    };
    return s;
  }
};

TEST(PhotoSearchTest, ThoroughRunsTheSecondPassUnlessStopped) {
  PhotoSignatures lists;
  auto general = SignatureLines::fromText(record(".jpg", "514A5047") + record(".png", "51504E47"));
  auto advance = SignatureLines::fromText(record(".JPG", "51504E47"));
  readSection(general, "General", lists);
  readSection(advance, "Advance", lists);
  struct Case {
    bool thorough;
    bool stopEarly;
    std::vector<std::string> files;
  } cases[] = {
      {true, false, {"General/GNDR00001.jpg", "General/GNDR00002.png", "Omitted/THDR00001.JPG"}},
      {false, false, {"General/GNDR00001.jpg", "General/GNDR00002.png"}},
      {true, true, {"General/GNDR00001.jpg", "General/GNDR00002.png"}},
  };
  for (const auto& c : cases) {
    SearchHarness h;
    if (c.stopEarly) h.onFinished = [&h] { h.stop.request_stop(); };
    PhotoSearch search(lists, h.services(), h.reporter);
    // jpg and JPG share one row of the extension table.
    ASSERT_EQ(search.extensionTable().rows().size(), 2u);
    auto outcome = search.run({"memory", 0, 64, h.dir / "dest", c.thorough}, h.stop.get_token());
    EXPECT_EQ(h.finished, c.files);
    EXPECT_EQ(outcome.stopped, c.stopEarly);
    const auto root = h.dir / "dest" / "Quendrix (Photo and Video)" / "Photo Search";
    EXPECT_EQ(outcome.root, root);
    EXPECT_EQ(std::filesystem::exists(root / "Omitted"), c.thorough && !c.stopEarly);
    if (c.thorough && !c.stopEarly) {
      // The second pass files its JPG under the shared row's folder, named as written.
      EXPECT_TRUE(std::filesystem::exists(root / "Omitted" / "jpg" / "THDR00001.JPG"));
      EXPECT_EQ(search.extensionTable().rows()[0].count, 1u);
    }
  }
}

TEST(PhotoSearchTest, RangesTheWindowRefuses) {
  struct Case {
    std::uint64_t start, end;
    bool refused;
  } cases[] = {{0, 0, true}, {5, 5, true}, {5, 6, true}, {5, 7, false}, {9, 3, true}};
  for (const auto& c : cases) {
    EXPECT_EQ(checkPhotoRange(c.start, c.end).has_value(), c.refused) << c.start << "-" << c.end;
  }
  EXPECT_EQ(checkFileTypeRange(5, 6), std::nullopt);
  EXPECT_EQ(checkFileTypeRange(5, 5), std::string(kEndSectorMessage));
  EXPECT_EQ(checkFileTypeRange(0, 0), std::string(kEndSectorMessage));
}

struct ModeFilesCase {
  std::string first, second;
  std::vector<std::string> ticked;
  std::vector<std::string> files;
};

TEST(FileTypeSearchTest, PassesRunWhenTheirFileHoldsTickedRecords) {
  const std::string mp4 = record(".mp4", "514D5034"), avi = record(".avi", "51415649");
  const std::string mp4b = record(".MP4", "514A5047");
  ModeFilesCase cases[] = {
      {mp4 + avi,
       mp4b,
       {"MP4", "AVI"},
       {"General/MP400001.MP4", "General/AVI00001.AVI", "Omitted/MP400002.MP4"}},
      // Ticked type only in the second file: the first pass is skipped.
      {avi, mp4b, {"MP4"}, {"Omitted/MP400001.MP4"}},
      // The second file holds nothing ticked: only the first pass.
      {mp4 + avi, mp4b, {"AVI"}, {"General/AVI00001.AVI"}},
  };
  for (const auto& c : cases) {
    SearchHarness h;
    test::writeFile(h.dir / kVideoFile, c.first);
    test::writeFile(h.dir / kVideoAdvanceFile, c.second);
    std::vector<ExtensionItem> items;
    ASSERT_FALSE(loadModeExtensions(h.dir.path(), "Video", items));
    for (auto& item : items) {
      item.ticked = std::find(c.ticked.begin(), c.ticked.end(), item.text) != c.ticked.end();
    }
    FileTypeSearch search(h.dir.path(), h.services(), h.reporter);
    FileTypeSearchRequest request{"Video", "memory", 0, 64, h.dir / "dest", items};
    auto outcome = search.run(request, h.stop.get_token());
    EXPECT_FALSE(outcome.refused);
    EXPECT_EQ(h.finished, c.files);
    const auto* row = search.summary().rows().data();
    EXPECT_EQ(row->extension, c.ticked.size() == 2 ? "AVI" : c.ticked[0]);
  }
}

TEST(FileTypeSearchTest, SummaryRowsCountFilesOverBothPasses) {
  SearchHarness h;
  test::writeFile(h.dir / kVideoFile, record(".mp4", "514D5034") + record(".mp4", "514A5047"));
  test::writeFile(h.dir / kVideoAdvanceFile, record(".mp4", "51504E47"));
  std::vector<ExtensionItem> items;
  ASSERT_FALSE(loadModeExtensions(h.dir.path(), "Video", items));
  FileTypeSearch search(h.dir.path(), h.services(), h.reporter);
  auto outcome = search.run({"Video", "memory", 0, 64, h.dir / "dest", items}, h.stop.get_token());
  ASSERT_EQ(search.summary().rows().size(), 1u);
  const auto& row = search.summary().rows()[0];
  EXPECT_EQ(row.filesFound, 3u);
  EXPECT_EQ(row.lastFileNo, 3u);
  EXPECT_EQ(row.count, 1u);  // the second pass started its folder again
  EXPECT_EQ(row.lastName, "MP400003.MP4");
  EXPECT_EQ(search.generalCount(), 2u);
  EXPECT_EQ(search.omittedCount(), 1u);
  EXPECT_EQ(fileTypePathFromName(h.dir / "dest", "Video", PassKind::Omitted, row.lastName),
            row.lastPath);
  ASSERT_EQ(outcome.tallies.size(), 2u);
  EXPECT_EQ(outcome.tallies[0].files, 2u);
}

TEST(FileTypeSearchTest, RefusalsAndMissingFiles) {
  SearchHarness h;
  std::vector<ExtensionItem> items = {{"MP4", "", false}};
  FileTypeSearch search(h.dir.path(), h.services(), h.reporter);
  auto none = search.run({"Video", "memory", 0, 64, h.dir / "dest", items}, {});
  EXPECT_EQ(none.refused, std::string(kNoExtensionMessage));
  items[0].ticked = true;
  auto missing = search.run({"Signature", "memory", 0, 64, h.dir / "dest", items}, {});
  ASSERT_TRUE(missing.fatal);
  EXPECT_EQ(missing.fatal->rfind("Couldn't open source file: ", 0), 0u);
  auto empty = search.run({"Video", "memory", 8, 8, h.dir / "dest", items}, {});
  EXPECT_EQ(empty.refused, std::string(kEndSectorMessage));
  std::vector<ExtensionItem> list;
  EXPECT_TRUE(loadModeExtensions(h.dir.path(), "Signature", list));
}

TEST(SearchChecksTest, DestinationMustBeAnExistingFolder) {
  test::TempDir dir;
  test::writeFile(dir / "file", "x");
  EXPECT_EQ(checkDestination(dir.path().string()), std::nullopt);
  EXPECT_EQ(checkDestination("  " + dir.path().string() + " "), std::nullopt);
  EXPECT_EQ(checkDestination((dir / "missing").string()), std::string(kDestinationMessage));
  EXPECT_EQ(checkDestination((dir / "file").string()), std::string(kDestinationMessage));
  EXPECT_EQ(checkDestination(""), std::string(kDestinationMessage));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace quendrix::carving
