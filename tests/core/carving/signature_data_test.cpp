// Checks the shipped signature files, as copied beside the binaries, against the six-line record
// grammar, and checks that no record is hidden behind another one. The reader here is
// deliberately tiny and independent of the program's own signature reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "carving/signature_file_names.hpp"
#include "support/test_paths.hpp"

namespace quendrix::carving {
namespace {

constexpr std::size_t kLinesPerRecord = 6;
constexpr std::size_t kSectorBytes = 512;
constexpr std::size_t kMaxHeaderHexChars = 100;

struct Record {
  std::size_t firstLine = 0;  // 1-based line number of the record's extension line
  std::string extension;
  std::string maxSize;
  std::string header;
  std::string offset;
  std::string description;
};

struct SignatureFile {
  std::vector<std::string> lines;
  std::vector<Record> records;
};

std::string valueOf(const std::string& line) {
  const auto colon = line.rfind(':');
  std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
  const auto notBlank = [](unsigned char c) { return !std::isspace(c); };
  value.erase(value.begin(), std::find_if(value.begin(), value.end(), notBlank));
  value.erase(std::find_if(value.rbegin(), value.rend(), notBlank).base(), value.end());
  return value;
}

SignatureFile readSignatureFile(const std::filesystem::path& path) {
  SignatureFile file;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    file.lines.push_back(line);
  }
  for (std::size_t i = 0; i + kLinesPerRecord <= file.lines.size(); i += kLinesPerRecord) {
    file.records.push_back({i + 1, valueOf(file.lines[i]), valueOf(file.lines[i + 1]),
                            valueOf(file.lines[i + 2]), valueOf(file.lines[i + 3]),
                            valueOf(file.lines[i + 5])});
  }
  return file;
}

bool allOf(const std::string& text, int (*pred)(int)) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [pred](unsigned char c) { return pred(c) != 0; });
}

int isLowerAlnum(int c) {
  return std::islower(c) || std::isdigit(c);
}
int isUpperHex(int c) {
  return std::isdigit(c) || (c >= 'A' && c <= 'F');
}

std::uint64_t decimal(const std::string& text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size() ? value : 0;
}

// True when a sector that carries `later`'s header always carries `earlier`'s too.
bool hiddenBehind(const Record& later, const Record& earlier) {
  return later.offset == earlier.offset && later.header.starts_with(earlier.header);
}

const char* const kAllFiles[] = {kPhotoGeneralFile, kVideoFile,        kSignatureFile,
                                 kPhotoAdvanceFile, kVideoAdvanceFile, kSignatureAdvanceFile};

TEST(SignatureDataTest, EveryRecordFollowsTheGrammar) {
  for (const char* name : kAllFiles) {
    SCOPED_TRACE(name);
    const SignatureFile file = readSignatureFile(test::binDir() / name);
    ASSERT_FALSE(file.lines.empty()) << "missing or empty beside the binaries";
    EXPECT_EQ(file.lines.size() % kLinesPerRecord, 0u) << "a record is cut short";

    for (std::size_t i = 0; i < file.lines.size(); ++i) {
      // Exactly one colon per line: the value is what follows the last colon, so a colon
      // inside a description or extension would silently cut it.
      EXPECT_EQ(std::count(file.lines[i].begin(), file.lines[i].end(), ':'), 1)
          << "line " << i + 1 << ": " << file.lines[i];
    }

    for (const Record& r : file.records) {
      SCOPED_TRACE("record at line " + std::to_string(r.firstLine));
      const std::string& extensionLine = file.lines[r.firstLine - 1];
      // The dot comes directly after the colon: readers drop the character after it.
      const auto colon = extensionLine.rfind(':');
      ASSERT_NE(colon, std::string::npos);
      EXPECT_EQ(extensionLine.substr(colon + 1), r.extension) << "blank around the extension";
      ASSERT_GE(r.extension.size(), 2u);
      EXPECT_EQ(r.extension[0], '.') << r.extension;
      EXPECT_TRUE(allOf(r.extension.substr(1), isLowerAlnum)) << r.extension;

      EXPECT_TRUE(allOf(r.maxSize, [](int c) { return std::isdigit(c); })) << r.maxSize;
      EXPECT_GT(decimal(r.maxSize), 0u) << r.maxSize;

      // Any non-hex character would silently read as the digit 0.
      EXPECT_TRUE(allOf(r.header, isUpperHex)) << r.header;
      EXPECT_EQ(r.header.size() % 2, 0u) << r.header;
      EXPECT_LE(r.header.size(), kMaxHeaderHexChars) << r.header;

      EXPECT_TRUE(allOf(r.offset, [](int c) { return std::isdigit(c); })) << r.offset;
      const std::uint64_t offset = decimal(r.offset);
      EXPECT_GE(offset, 1u);
      EXPECT_LE(offset - 1 + r.header.size() / 2, kSectorBytes)
          << "header reaches past the sector: " << r.header << " at " << r.offset;

      EXPECT_FALSE(r.description.empty());
    }
  }
}

TEST(SignatureDataTest, PhotoGeneralListsJpegFirst) {
  const SignatureFile file = readSignatureFile(test::binDir() / kPhotoGeneralFile);
  ASSERT_FALSE(file.records.empty());
  EXPECT_EQ(file.records.front().extension, ".jpg");
  const auto firstOther = std::find_if(file.records.begin(), file.records.end(),
                                       [](const Record& r) { return r.extension != ".jpg"; });
  const auto laterJpeg = std::find_if(firstOther, file.records.end(),
                                      [](const Record& r) { return r.extension == ".jpg"; });
  EXPECT_EQ(laterJpeg, file.records.end())
      << "JPEG record at line " << laterJpeg->firstLine << " after other types";
}

// The photo search takes the first matching record of a sector, so a record placed after a
// shorter header of its own prefix at the same offset can never win. The other searches start
// a file for every match, so a repeated record there gives every file twice.
TEST(SignatureDataTest, NoRecordIsHiddenOrRepeated) {
  for (const char* name : kAllFiles) {
    SCOPED_TRACE(name);
    const bool firstMatchWins =
        std::string(name) == kPhotoGeneralFile || std::string(name) == kPhotoAdvanceFile;
    const auto records = readSignatureFile(test::binDir() / name).records;
    for (std::size_t i = 0; i < records.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        const Record& later = records[i];
        const Record& earlier = records[j];
        if (firstMatchWins) {
          EXPECT_FALSE(hiddenBehind(later, earlier))
              << later.extension << " at line " << later.firstLine << " is hidden by "
              << earlier.extension << " at line " << earlier.firstLine;
        } else {
          EXPECT_FALSE(later.extension == earlier.extension && hiddenBehind(later, earlier))
              << later.extension << " at line " << later.firstLine << " repeats line "
              << earlier.firstLine;
        }
      }
    }
  }
}

// The second pass of a mode runs over the same range as the first. A record that the first
// file of the mode already matches (same offset, header extending a first-file header) would
// only carve the same files again.
TEST(SignatureDataTest, SecondPassAddsOnlyWhatTheFirstMisses) {
  const std::pair<const char*, const char*> modes[] = {
      {kPhotoGeneralFile, kPhotoAdvanceFile},
      {kVideoFile, kVideoAdvanceFile},
      {kSignatureFile, kSignatureAdvanceFile},
  };
  for (const auto& [first, second] : modes) {
    SCOPED_TRACE(second);
    const auto general = readSignatureFile(test::binDir() / first).records;
    const auto advance = readSignatureFile(test::binDir() / second).records;
    ASSERT_FALSE(advance.empty());
    for (const Record& a : advance) {
      for (const Record& g : general) {
        EXPECT_FALSE(hiddenBehind(a, g))
            << a.extension << " at line " << a.firstLine << " is already found by " << g.extension
            << " at line " << g.firstLine << " of " << first;
      }
    }
  }
}

}  // namespace
}  // namespace quendrix::carving
