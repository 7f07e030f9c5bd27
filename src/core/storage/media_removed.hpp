#pragma once

#include <atomic>

namespace quendrix::storage {

// What the user chose when the device under a search stopped answering.
struct MediaRemovedChoice {
  static constexpr int kNoAction = 0;
  static constexpr int kRetry = 1;
  static constexpr int kRetryUntilDone = 5;

  bool cancel = false;
  int action = kNoAction;

  static MediaRemovedChoice cancelSearching() { return {true, kNoAction}; }
  // "Retry and Continue...", with or without "Apply this action until the searching completes".
  static MediaRemovedChoice retryAndContinue(bool applyUntilDone) {
    return {false, applyUntilDone ? kRetryUntilDone : kRetry};
  }
};

// Asks the user (a window, or a terminal prompt).
class MediaRemovedPrompt {
 public:
  virtual ~MediaRemovedPrompt() = default;
  virtual MediaRemovedChoice ask() = 0;
};

// Decides, for a scan worker, whether a failed read is retried. Once the user chose to retry
// until the search completes, it retries without asking again.
class MediaRemovedDecision {
 public:
  explicit MediaRemovedDecision(MediaRemovedPrompt& prompt) : prompt_(prompt) {}

  // True: retry the read; false: cancel the search.
  bool retryRead() {
    if (retryAlways_) return true;
    const MediaRemovedChoice choice = prompt_.ask();
    if (choice.cancel || choice.action == MediaRemovedChoice::kNoAction) return false;
    if (choice.action == MediaRemovedChoice::kRetryUntilDone) retryAlways_ = true;
    return true;
  }

 private:
  MediaRemovedPrompt& prompt_;
  std::atomic<bool> retryAlways_{false};
};

}  // namespace quendrix::storage
