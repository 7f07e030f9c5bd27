#pragma once

#include <cstdint>
#include <string_view>

namespace quendrix {

// Where long work reports how far it is. Called from the worker thread; implementations
// hand the values to their own thread if they must.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // done and total are in the work's own unit (sectors for scans); found counts results.
  virtual void progress(std::uint64_t done, std::uint64_t total, std::uint64_t found) = 0;
  // A status line such as the pass being run.
  virtual void status(std::string_view /*text*/) {}
};

class NullProgressSink final : public ProgressSink {
 public:
  void progress(std::uint64_t, std::uint64_t, std::uint64_t) override {}
};

}  // namespace quendrix
