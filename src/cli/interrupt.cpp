#include "interrupt.hpp"

#include <atomic>
#include <chrono>
#include <csignal>

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
    while (!self.stop_requested()) {
      if (gSignalled != 0) {
        source.request_stop();
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
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
