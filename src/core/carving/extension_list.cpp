#include "carving/extension_list.hpp"

#include <algorithm>

namespace quendrix::carving {
namespace {

// Line 1 as the list reader takes it: the text after the last colon without the character
// that follows the colon, trimmed.
std::string_view listKey(std::string_view line) {
  const auto colon = line.rfind(':');
  if (colon != std::string_view::npos) line.remove_prefix(colon + 1);
  if (!line.empty()) line.remove_prefix(1);
  return trimSpace(line);
}

const ExtensionItem* findItem(std::span<const ExtensionItem> items, std::string_view key) {
  for (const auto& item : items) {
    if (equalsIgnoreCase(item.text, key)) return &item;
  }
  return nullptr;
}

}  // namespace

void readExtensionList(SignatureLines& lines, std::vector<ExtensionItem>& items) {
  while (!lines.atEnd()) {
    const std::string key(listKey(lines.next()));
    for (int i = 0; i < 4; ++i) lines.next();
    const std::string description(lineValue(lines.next()));
    // A blank first line names no type; it would only add an empty row.
    if (key.empty() || findItem(items, key) != nullptr) continue;
    items.push_back({upperAscii(key), description, true});
  }
}

std::optional<std::string> fillExtensionList(const std::filesystem::path& firstFile,
                                             const std::filesystem::path& secondFile,
                                             std::vector<ExtensionItem>& items) {
  for (const auto* file : {&firstFile, &secondFile}) {
    std::string failure;
    auto lines = SignatureLines::open(*file, &failure);
    if (!lines) return failure;
    readExtensionList(*lines, items);
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const ExtensionItem& a, const ExtensionItem& b) { return a.text < b.text; });
  return std::nullopt;
}

void readSelectedSignatures(SignatureLines& lines, std::span<const ExtensionItem> items,
                            SignatureList& selected) {
  while (!lines.atEnd()) {
    FileType1 record;
    record.extension = std::string(lineValue(upperAscii(lines.next())));
    const std::string_view key =
        std::string_view(record.extension).substr(record.extension.empty() ? 0 : 1);
    const ExtensionItem* item = findItem(items, key);
    if (item == nullptr || !item->ticked) {
      for (int i = 0; i < 5; ++i) lines.next();
      continue;
    }
    record.maxSizeText = std::string(lineValue(lines.next()));
    setHeaderFromText(record, lineValue(lines.next()));
    record.offset = parseDecimalInt(lineValue(lines.next()));
    lines.next();
    lines.next();
    if (record.canMatch()) selected.append(std::move(record));
  }
}

std::optional<std::string> loadSelectedSignatures(const std::filesystem::path& file,
                                                  std::span<const ExtensionItem> items,
                                                  SignatureList& selected) {
  std::string failure;
  auto lines = SignatureLines::open(file, &failure);
  if (!lines) return failure;
  readSelectedSignatures(*lines, items, selected);
  return std::nullopt;
}

}  // namespace quendrix::carving
