#pragma once

#include <stop_token>
#include <thread>

namespace quendrix::cli {

// While alive, SIGINT and SIGTERM request a stop on the given source instead of killing the
// process, so long work can finish its pending files and print its summary.
class InterruptWatch {
 public:
  explicit InterruptWatch(std::stop_source source);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  static bool interrupted();

 private:
  std::jthread watcher_;
};

}  // namespace quendrix::cli
