#include "carving/signature_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "carving/signature_file_names.hpp"

namespace quendrix::carving {

std::optional<SignatureLines> SignatureLines::open(const std::filesystem::path& path,
                                                   std::string* failure) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    std::string text = std::strerror(errno);
    if (text.size() > 1024) text.resize(1024);
    if (failure != nullptr) *failure = std::string(kCouldNotOpenPrefix) + text;
    return std::nullopt;
  }
  std::string content;
  char chunk[8192];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) content.append(chunk, n);
  std::fclose(f);
  return SignatureLines(std::move(content));
}

SignatureLines SignatureLines::fromText(std::string text) {
  return SignatureLines(std::move(text));
}

std::string_view SignatureLines::next() {
  if (atEnd()) return {};
  const std::string_view rest = std::string_view(text_).substr(pos_);
  const auto eol = rest.find('\n');
  std::string_view line = rest.substr(0, eol);
  pos_ = eol == std::string_view::npos ? text_.size() : pos_ + eol + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::optional<FileType1> readSectionRecord(SignatureLines& lines) {
  if (lines.atEnd()) return std::nullopt;
  FileType1 record;
  record.extension = std::string(lineValue(lines.next()));
  record.maxSizeText = std::string(lineValue(lines.next()));
  setHeaderFromText(record, lineValue(lines.next()));
  record.offset = parseDecimalInt(lineValue(lines.next()));
  lines.next();
  lines.next();
  return record;
}

void readSection(SignatureLines& lines, std::string_view section, PhotoSignatures& lists) {
  SignatureList* target = section == "General"   ? &lists.general
                          : section == "Advance" ? &lists.advance
                                                 : nullptr;
  while (auto record = readSectionRecord(lines)) {
    if (target != nullptr && record->canMatch()) target->append(std::move(*record));
  }
}

std::optional<std::string> loadSection(const std::filesystem::path& folder,
                                       std::string_view fileName, std::string_view section,
                                       PhotoSignatures& lists) {
  std::string failure;
  auto lines = SignatureLines::open(folder / fileName, &failure);
  if (!lines) return failure;
  readSection(*lines, section, lists);
  return std::nullopt;
}

std::optional<std::string> loadPhotoSignatures(const std::filesystem::path& folder,
                                               PhotoSignatures& lists) {
  if (auto failure = loadSection(folder, kPhotoGeneralFile, "General", lists)) return failure;
  if (auto failure = loadSection(folder, kPhotoAdvanceFile, "Advance", lists)) return failure;
  return checkStartupSignatureFiles(folder);
}

}  // namespace quendrix::carving
