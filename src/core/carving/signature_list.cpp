#include "carving/signature_list.hpp"

#include <algorithm>

namespace quendrix::carving {

void SignatureList::append(FileType1 record) {
  if (std::find(offsets_.begin(), offsets_.end(), record.offset) == offsets_.end()) {
    offsets_.push_back(record.offset);
  }
  records_.push_back(std::move(record));
}

void SignatureList::clear() {
  records_.clear();
  offsets_.clear();
}

}  // namespace quendrix::carving
