#pragma once

namespace quendrix {

// The search the user chose; the numbers are stored in recovery logs.
enum class SearchMode : int {
  None = 0,
  Basic = 1,
  Deep = 2,
  Photo = 3,
  Video = 4,
  Signature = 5,
};

}  // namespace quendrix
