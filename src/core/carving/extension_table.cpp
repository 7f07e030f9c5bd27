#include "carving/extension_table.hpp"

#include "carving/signature_record.hpp"

namespace quendrix::carving {

void ExtensionTable::addDistinct(std::string_view extension) {
  if (findByPrefix(extension) == nullptr) add(extension);
}

void ExtensionTable::add(std::string_view extension) {
  ExtensionRow row;
  row.extension = std::string(extension);
  row.folderName = row.extension;
  rows_.push_back(std::move(row));
}

ExtensionRow* ExtensionTable::findByPrefix(std::string_view extension) {
  for (auto& row : rows_) {
    if (startsWithIgnoreCase(row.extension, extension)) return &row;
  }
  return nullptr;
}

ExtensionRow* ExtensionTable::findExact(std::string_view extension) {
  for (auto& row : rows_) {
    if (row.extension == extension) return &row;
  }
  return nullptr;
}

void ExtensionTable::resetFolders() {
  for (auto& row : rows_) {
    row.count = 0;
    row.folderName = row.extension;
  }
}

}  // namespace quendrix::carving
