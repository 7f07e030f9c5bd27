#include "carving/carved_namer.hpp"

namespace quendrix::carving {
namespace {

std::string_view bareExtension(const std::string& extension) {
  return std::string_view(extension).substr(extension.empty() ? 0 : 1);
}

ExtensionRow& rowFor(ExtensionTable& table, std::string_view extension) {
  if (auto* row = table.findByPrefix(extension)) return *row;
  table.add(extension);
  return table.rows().back();
}

}  // namespace

std::string_view takeFolderPlace(ExtensionRow& row, std::uint64_t filesPerFolder) {
  const std::uint64_t n = row.count + 1;
  if (n <= filesPerFolder) {
    row.count = n;
  } else {
    row.count = 1;
    row.folderName = nextFolderName(row.extension, row.folderName);
  }
  return folderSuffix(row.folderName);
}

void PhotoNamer::beginPass(PassKind pass) {
  prefix_ = pass == PassKind::General ? "GNDR" : "THDR";
  counter_ = 0;
  table_.resetFolders();
}

CarvedNamer::Choice PhotoNamer::prepare(const FileType1& record,
                                        const std::filesystem::path& passRoot) {
  extension_ = std::string(bareExtension(record.extension));
  ExtensionRow& row = rowFor(table_, extension_);
  suffix_ = std::string(takeFolderPlace(row, filesPerFolder_));
  ++counter_;
  return {passRoot / row.folderName, carvedFileName(prefix_, counter_, suffix_, extension_)};
}

std::string PhotoNamer::nextName() {
  ++counter_;
  return carvedFileName(prefix_, counter_, suffix_, extension_);
}

void FileTypeNamer::beginPass(PassKind pass) {
  // The rows are made fresh for the search; the second pass starts its folders again while
  // the numbers go on.
  if (pass == PassKind::Omitted) rows_.resetFolders();
}

CarvedNamer::Choice FileTypeNamer::prepare(const FileType1& record,
                                           const std::filesystem::path& passRoot) {
  extension_ = upperAscii(bareExtension(record.extension));
  ExtensionRow& folderRow = rowFor(rows_, extension_);
  suffix_ = std::string(takeFolderPlace(folderRow, filesPerFolder_));
  const ExtensionRow* numberRow = rows_.findExact(extension_);
  number_ = (numberRow != nullptr ? numberRow->lastFileNo : 0) + 1;
  return {passRoot / folderRow.folderName,
          carvedFileName(extension_, number_, suffix_, extension_)};
}

std::string FileTypeNamer::nextName() {
  ++number_;
  return carvedFileName(extension_, number_, suffix_, extension_);
}

void FileTypeNamer::opened() {
  if (auto* row = rows_.findExact(extension_)) row->lastFileNo = number_;
}

}  // namespace quendrix::carving
