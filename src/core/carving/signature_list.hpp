#pragma once

#include <vector>

#include "carving/signature_record.hpp"

namespace quendrix::carving {

// An ordered list of records (file order, no de-duplication) with the distinct offsets of
// those records in the order they first appear.
class SignatureList {
 public:
  void append(FileType1 record);
  void clear();
  bool empty() const { return records_.empty(); }
  const std::vector<FileType1>& records() const { return records_; }
  const std::vector<int>& offsets() const { return offsets_; }

 private:
  std::vector<FileType1> records_;
  std::vector<int> offsets_;
};

// The two Photo lists, filled once at start-up.
struct PhotoSignatures {
  SignatureList general;
  SignatureList advance;
};

}  // namespace quendrix::carving
