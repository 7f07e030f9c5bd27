#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quendrix::carving {

inline constexpr int kMaxHeaderBytes = 50;

// One record of a signature file: the header bytes to look for, where in a sector they
// start, and what the carved file is called and how large it may grow.
struct FileType1 {
  int offset = 0;     // 1-based position of the header's first byte within a sector
  int firstByte = 0;  // header[0], the quick pre-check
  std::array<std::uint8_t, kMaxHeaderBytes> header{};
  int headerLength = 0;     // bytes used in header, 0 to 50
  std::string extension;    // dot and letters, as the reader stored it
  std::string maxSizeText;  // line 2, as text
  std::string headerText;   // line 3, upper-cased

  // maxSizeText read as a decimal number.
  std::uint64_t maxSize() const;
  // A record with no header bytes or an offset before the sector never matches.
  bool canMatch() const { return headerLength > 0 && offset >= 1; }
};

// The value of a line: everything after its last colon (the whole line when it has none),
// with leading and trailing white space removed.
std::string_view lineValue(std::string_view line);

std::string_view trimSpace(std::string_view text);
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Leading blanks skipped, then digits up to the first non-digit; 0 when there are none.
// Values too large for the type stop at its maximum.
std::uint64_t parseDecimalU64(std::string_view text);
int parseDecimalInt(std::string_view text);

// Fills header, headerLength, firstByte and headerText from a header value: upper-cased,
// read in pairs of hex digits, any other character counting as 0, a final single character
// giving a byte of its own, at most 50 bytes kept.
void setHeaderFromText(FileType1& record, std::string_view value);

}  // namespace quendrix::carving
