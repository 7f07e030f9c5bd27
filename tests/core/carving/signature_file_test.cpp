#include "carving/signature_file.hpp"

#include <gtest/gtest.h>

#include "carving/extension_list.hpp"
#include "support/temp_dir.hpp"

namespace quendrix::carving {
namespace {

std::string record(const std::string& ext, const std::string& max, const std::string& header,
                   const std::string& offset, const std::string& description = "Some type") {
  return "Extension:" + ext + "\nMaximum size:" + max + "\nHeader:" + header +
         "\nOffset:" + offset + "\nReserved:\nDescription:" + description + "\n";
}

std::vector<int> bytesOf(const FileType1& r) {
  return std::vector<int>(r.header.begin(), r.header.begin() + r.headerLength);
}

TEST(SignatureLineTest, ValueIsTextAfterLastColonTrimmed) {
  struct Case {
    const char* line;
    const char* value;
  } cases[] = {
      {"Extension:.jpg", ".jpg"},
      {"No colon at all", "No colon at all"},
      {"a:b:c:  value  ", "value"},
      {"Label with: colons:\t12 \r", "12"},
      {"Empty:", ""},
      {"::", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(lineValue(c.line), c.value) << c.line;
}

TEST(SignatureLineTest, NumbersReadDigitsUpToTheFirstOther) {
  EXPECT_EQ(parseDecimalU64("  20971520"), 20971520u);
  EXPECT_EQ(parseDecimalU64("12abc"), 12u);
  EXPECT_EQ(parseDecimalU64("x12"), 0u);
  EXPECT_EQ(parseDecimalU64(""), 0u);
  EXPECT_EQ(parseDecimalU64("99999999999999999999999"), ~std::uint64_t{0});
  EXPECT_EQ(parseDecimalInt("-5"), 0);
  EXPECT_EQ(parseDecimalInt("9999999999"), 2147483647);
}

TEST(SignatureRecordTest, HeaderTextRules) {
  struct Case {
    std::string text;
    std::vector<int> bytes;
  } cases[] = {
      {"FFD8FF", {0xFF, 0xD8, 0xFF}},
      {"ffd8ff", {0xFF, 0xD8, 0xFF}},
      {"FFD8F", {0xFF, 0xD8, 0x0F}},  // a final single character is a byte
      {"FF D8", {0xFF, 0x0D, 0x08}},  // the blank counts as the digit 0
      {"GZ41", {0x00, 0x41}},         // non-hex characters count as 0
      {"", {}},
      {std::string(120, 'A'), std::vector<int>(50, 0xAA)},  // cut at 50 bytes
  };
  for (const auto& c : cases) {
    FileType1 r;
    setHeaderFromText(r, c.text);
    EXPECT_EQ(bytesOf(r), c.bytes) << c.text;
    EXPECT_EQ(r.firstByte, c.bytes.empty() ? 0 : c.bytes[0]) << c.text;
  }
  FileType1 r;
  setHeaderFromText(r, "ffd8");
  EXPECT_EQ(r.headerText, "FFD8");
}

TEST(SignatureFileTest, SectionReaderKeepsOrderAndDistinctOffsets) {
  auto lines = SignatureLines::fromText(
      record(".jpg", "20971520", "FFD8FFE0", "1") + record(".JPG", "100", "FFD8FFE1", "5") +
      "Extension:.png\r\nMax:300\r\nHeader:89504E47\r\nOffset:1\r\nx\r\ny\r\n" +
      record(".tif", "50", "49492A00", "9") +
      record(".bad", "50", "", "3") +    // no header: never matches, left out
      record(".bad", "50", "FF", "0"));  // offset before the sector: left out
  PhotoSignatures lists;
  readSection(lines, "General", lists);
  const auto& r = lists.general.records();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].extension, ".jpg");
  EXPECT_EQ(r[1].extension, ".JPG");  // as written
  EXPECT_EQ(r[2].extension, ".png");  // CR LF lines
  EXPECT_EQ(r[2].maxSize(), 300u);
  EXPECT_EQ(r[3].offset, 9);
  EXPECT_EQ(lists.general.offsets(), (std::vector<int>{1, 5, 9}));
  EXPECT_TRUE(lists.advance.empty());

  auto again = SignatureLines::fromText(record(".jpg", "1", "FF", "1"));
  readSection(again, "Other", lists);  // any other section stores nothing
  EXPECT_EQ(lists.general.records().size(), 4u);
}

TEST(SignatureFileTest, RecordCutShortByTheEndGetsEmptyValues) {
  auto lines = SignatureLines::fromText("Extension:.jpg\nMax:77\nHeader:FFD8");
  auto r = readSectionRecord(lines);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->maxSize(), 77u);
  EXPECT_EQ(r->offset, 0);
  EXPECT_FALSE(readSectionRecord(lines));
}

TEST(SignatureFileTest, MissingFileGivesTheOpenMessage) {
  test::TempDir dir;
  PhotoSignatures lists;
  auto failure = loadSection(dir.path(), "KSWExt2.dll", "General", lists);
  ASSERT_TRUE(failure);
  EXPECT_EQ(*failure, "Couldn't open source file: No such file or directory");
  failure = loadPhotoSignatures(dir.path(), lists);
  ASSERT_TRUE(failure);
}

TEST(ExtensionListTest, BothFilesGiveOneSortedRowPerExtension) {
  test::TempDir dir;
  test::writeFile(dir / "first", record(".mp4", "1", "00", "5", "MPEG-4 video") +
                                     record(".MOV", "1", "01", "5", "QuickTime") +
                                     record(".mp4", "1", "02", "5", "second mp4"));
  test::writeFile(dir / "second", record(".Mp4", "1", "03", "5", "from the second file") +
                                      record(".avi", "1", "04", "1", "AVI video"));
  std::vector<ExtensionItem> items;
  ASSERT_FALSE(fillExtensionList(dir / "first", dir / "second", items));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].text, "AVI");
  EXPECT_EQ(items[1].text, "MOV");
  EXPECT_EQ(items[2].text, "MP4");
  EXPECT_EQ(items[2].description, "MPEG-4 video");
  EXPECT_TRUE(items[0].ticked && items[1].ticked && items[2].ticked);
  EXPECT_TRUE(fillExtensionList(dir / "first", dir / "missing", items));
}

TEST(ExtensionListTest, SelectedReaderTakesTickedTypesOnly) {
  auto lines = SignatureLines::fromText(
      record(".mp4", "10", "0000001866747970", "1") + record(".mov", "20", "6D6F6F76", "5") +
      record(".avi", "30", "52494646", "1") + record(".mp4", "40", "66747970", "5"));
  std::vector<ExtensionItem> items = {{"MP4", "", true}, {"MOV", "", false}, {"AVI", "", true}};
  SignatureList selected;
  readSelectedSignatures(lines, items, selected);
  ASSERT_EQ(selected.records().size(), 3u);
  EXPECT_EQ(selected.records()[0].extension, ".MP4");
  EXPECT_EQ(selected.records()[1].extension, ".AVI");
  EXPECT_EQ(selected.records()[2].maxSize(), 40u);
  EXPECT_EQ(selected.offsets(), (std::vector<int>{1, 5}));
}

}  // namespace
}  // namespace quendrix::carving
