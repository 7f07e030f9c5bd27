#include "interrupt.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

namespace quendrix::cli {
namespace {

volatile std::sig_atomic_t gSignalled = 0;

extern "C" void onSignal(int) { gSignalled = 1; }

}  // namespace

InterruptWatch::InterruptWatch(std::stop_source source) {
  gSignalled = 0;
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  watcher_ = std::jthread([source](std::stop_token self) mutable {
    // Waits on the stop token, so that the end of a command does not wait out a poll.
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    while (!self.stop_requested()) {
      if (gSignalled != 0) {
        source.request_stop();
        return;
      }
      wake.wait_for(lock, self, std::chrono::milliseconds(50), [] { return false; });
    }
  });
}

InterruptWatch::~InterruptWatch() {
  watcher_.request_stop();
  if (watcher_.joinable()) watcher_.join();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
}

bool InterruptWatch::interrupted() { return gSignalled != 0; }

}  // namespace quendrix::cli
