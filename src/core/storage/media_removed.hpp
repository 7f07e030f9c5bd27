#pragma once

namespace quendrix::storage {

// What the user decided when the source stopped answering during a search.
enum class MediaRemovedChoice {
  Dismissed,    // closed without a choice: the zeroed block is searched and the search goes on
  Cancel,       // "Cancel Searching"
  Retry,        // "Retry and Continue..."
  RetryAlways,  // "Retry and Continue..." with "Apply this action until the searching completes"
};

// Asked by a scan whose reads fail; the GUI shows its window, the CLI answers from its option.
class MediaRemovedDecision {
 public:
  virtual ~MediaRemovedDecision() = default;
  virtual MediaRemovedChoice decide() = 0;
};

// Always gives the same answer.
class FixedMediaRemovedDecision final : public MediaRemovedDecision {
 public:
  explicit FixedMediaRemovedDecision(MediaRemovedChoice choice) : choice_(choice) {}
  MediaRemovedChoice decide() override { return choice_; }

 private:
  MediaRemovedChoice choice_;
};

}  // namespace quendrix::storage
