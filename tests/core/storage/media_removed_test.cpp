#include "storage/media_removed.hpp"

#include <gtest/gtest.h>

#include <deque>

namespace quendrix::storage {
namespace {

class ScriptedPrompt final : public MediaRemovedPrompt {
 public:
  std::deque<MediaRemovedChoice> answers;
  int asked = 0;
  MediaRemovedChoice ask() override {
    ++asked;
    const auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

TEST(MediaRemovedTest, ChoicesOfTheWindow) {
  EXPECT_TRUE(MediaRemovedChoice::cancelSearching().cancel);
  EXPECT_EQ(MediaRemovedChoice::retryAndContinue(false).action, 1);
  EXPECT_EQ(MediaRemovedChoice::retryAndContinue(true).action, 5);
  EXPECT_FALSE(MediaRemovedChoice::retryAndContinue(true).cancel);
}

TEST(MediaRemovedTest, RetryAsksEachTimeUntilAskedToApplyUntilDone) {
  ScriptedPrompt prompt;
  prompt.answers = {MediaRemovedChoice::retryAndContinue(false),
                    MediaRemovedChoice::retryAndContinue(true)};
  MediaRemovedDecision decision(prompt);
  EXPECT_TRUE(decision.retryRead());
  EXPECT_TRUE(decision.retryRead());
  EXPECT_TRUE(decision.retryRead());
  EXPECT_TRUE(decision.retryRead());
  EXPECT_EQ(prompt.asked, 2);
}

TEST(MediaRemovedTest, CancelAndAWindowClosedWithoutChoiceStopTheSearch) {
  ScriptedPrompt prompt;
  prompt.answers = {MediaRemovedChoice::cancelSearching(), MediaRemovedChoice{}};
  MediaRemovedDecision decision(prompt);
  EXPECT_FALSE(decision.retryRead());
  EXPECT_FALSE(decision.retryRead());
}

}  // namespace
}  // namespace quendrix::storage
