#include "carving/output_names.hpp"

#include <gtest/gtest.h>

#include "carving/carved_namer.hpp"

namespace quendrix::carving {
namespace {

FileType1 rec(const std::string& extension) {
  FileType1 r;
  r.extension = extension;
  return r;
}

TEST(OutputNamesTest, FileNamesArePaddedToFiveDigits) {
  struct Case {
    const char* prefix;
    std::uint64_t number;
    const char* suffix;
    const char* ext;
    const char* name;
  } cases[] = {
      {"GNDR", 1, "", "jpg", "GNDR00001.jpg"},
      {"GNDR", 99, "", "png", "GNDR00099.png"},
      {"THDR", 9999, "", "jpg", "THDR09999.jpg"},
      {"GNDR", 10000, "", "jpg", "GNDR10000.jpg"},
      {"GNDR", 123456, "", "jpg", "GNDR123456.jpg"},
      {"GNDR", 50001, "_001", "jpg", "GNDR50001_001.jpg"},
      {"MP4", 1, "", "MP4", "MP400001.MP4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(carvedFileName(c.prefix, c.number, c.suffix, c.ext), c.name);
  }
}

TEST(OutputNamesTest, FullFoldersAreFollowedByNumberedOnes) {
  struct Case {
    const char* current;
    const char* next;
  } cases[] = {{"jpg", "jpg_001"},
               {"jpg_001", "jpg_002"},
               {"jpg_009", "jpg_010"},
               {"jpg_099", "jpg_100"},
               {"jpg_999", "jpg_1000"}};
  for (const auto& c : cases) EXPECT_EQ(nextFolderName("jpg", c.current), c.next);
  EXPECT_EQ(folderSuffix("jpg_002"), "_002");
  EXPECT_EQ(folderSuffix("jpg"), "");
}

TEST(OutputNamesTest, PhotoPathIsRebuiltFromTheName) {
  const std::filesystem::path dest = "/media/out";
  EXPECT_EQ(photoPathFromName(dest, "GNDR00001.jpg"),
            "/media/out/Quendrix (Photo and Video)/Photo Search/General/jpg/GNDR00001.jpg");
  EXPECT_EQ(photoPathFromName(dest, "THDR50001_001.JPG"),
            "/media/out/Quendrix (Photo and Video)/Photo Search/Omitted/JPG_001/THDR50001_001.JPG");
  EXPECT_EQ(photoPathFromName(dest, "IMG_0001.jpg"), "");
  EXPECT_EQ(fileTypePathFromName(dest, "Video", PassKind::Omitted, "MP400007.MP4"),
            "/media/out/Quendrix (Photo and Video)/Video Search/Omitted/MP4/MP400007.MP4");
}

TEST(PhotoNamerTest, OneNumberPerPassOverAllTypesAndTheCaseOfTheFile) {
  ExtensionTable table;
  for (const char* e : {"jpg", "png", "CR2"}) table.addDistinct(e);
  PhotoNamer namer(table);
  const std::filesystem::path root = "/r/General";
  namer.beginPass(PassKind::General);
  auto a = namer.prepare(rec(".jpg"), root);
  auto b = namer.prepare(rec(".png"), root);
  auto c = namer.prepare(rec(".jpg"), root);
  auto d = namer.prepare(rec(".CR2"), root);
  EXPECT_EQ(a.folder / a.name, "/r/General/jpg/GNDR00001.jpg");
  EXPECT_EQ(b.folder / b.name, "/r/General/png/GNDR00002.png");
  EXPECT_EQ(c.folder / c.name, "/r/General/jpg/GNDR00003.jpg");
  EXPECT_EQ(d.folder / d.name, "/r/General/CR2/GNDR00004.CR2");
  EXPECT_EQ(namer.nextName(), "GNDR00005.CR2");  // after access denied

  namer.beginPass(PassKind::Omitted);
  auto e = namer.prepare(rec(".png"), "/r/Omitted");
  EXPECT_EQ(e.folder / e.name, "/r/Omitted/png/THDR00001.png");
  EXPECT_EQ(table.findByPrefix("png")->count, 1u);
}

TEST(PhotoNamerTest, FolderLimitStartsNumberedFolders) {
  ExtensionTable table;
  table.addDistinct("jpg");
  PhotoNamer namer(table, /*filesPerFolder=*/3);
  namer.beginPass(PassKind::General);
  std::vector<std::string> got;
  for (int i = 0; i < 7; ++i) {
    auto c = namer.prepare(rec(".jpg"), "G");
    got.push_back((c.folder / c.name).string());
  }
  EXPECT_EQ(got[2], "G/jpg/GNDR00003.jpg");  // the last that fits
  EXPECT_EQ(got[3], "G/jpg_001/GNDR00004_001.jpg");
  EXPECT_EQ(got[5], "G/jpg_001/GNDR00006_001.jpg");
  EXPECT_EQ(got[6], "G/jpg_002/GNDR00007_002.jpg");
  namer.beginPass(PassKind::Omitted);
  auto again = namer.prepare(rec(".jpg"), "O");
  EXPECT_EQ(again.folder / again.name, "O/jpg/THDR00001.jpg");
}

TEST(PhotoNamerTest, DefaultLimitIsFiftyThousand) {
  ExtensionTable table;
  table.addDistinct("jpg");
  table.rows()[0].count = 49999;
  PhotoNamer namer(table);
  auto fits = namer.prepare(rec(".jpg"), "G");
  auto next = namer.prepare(rec(".jpg"), "G");
  EXPECT_EQ(fits.folder, "G/jpg");
  EXPECT_EQ(next.folder, "G/jpg_001");
}

TEST(ExtensionTableTest, RowsAreFoundByPrefixWithoutRegardToCase) {
  ExtensionTable table;
  for (const char* e : {"tiff", "tif", "JPG", "jpg", "jp", "png", "pngx"}) table.addDistinct(e);
  std::vector<std::string> rows;
  for (const auto& r : table.rows()) rows.push_back(r.extension);
  // tif shares the tiff row, jpg and jp share the JPG row; pngx comes after png: own row.
  EXPECT_EQ(rows, (std::vector<std::string>{"tiff", "JPG", "png", "pngx"}));

  ExtensionTable other;
  for (const char* e : {"tif", "tiff"}) other.addDistinct(e);
  EXPECT_EQ(other.rows().size(), 2u);
}

TEST(FileTypeNamerTest, NumbersGoOnThroughBothPassesFoldersStartAgain) {
  ExtensionTable rows;
  rows.add("MP4");
  rows.add("MOV");
  FileTypeNamer namer(rows, /*filesPerFolder=*/2);
  namer.beginPass(PassKind::General);
  std::vector<std::string> got;
  auto take = [&](const char* ext, const char* root) {
    auto c = namer.prepare(rec(ext), root);
    namer.opened();
    got.push_back((c.folder / c.name).string());
  };
  take(".mp4", "G");
  take(".mov", "G");
  take(".MP4", "G");
  take(".mp4", "G");
  namer.beginPass(PassKind::Omitted);
  take(".mp4", "O");
  EXPECT_EQ(got, (std::vector<std::string>{"G/MP4/MP400001.MP4", "G/MOV/MOV00001.MOV",
                                           "G/MP4/MP400002.MP4", "G/MP4_001/MP400003_001.MP4",
                                           "O/MP4/MP400004.MP4"}));
  EXPECT_EQ(rows.findExact("MP4")->lastFileNo, 4u);
}

}  // namespace
}  // namespace quendrix::carving
