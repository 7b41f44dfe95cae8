// Ctrl+C as the cancel request of the command line's fetch.
#include "app/cli/interrupt_progress.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace morvane {
namespace {

bool previous_handler_ran = false;
void PreviousHandler(int) { previous_handler_ran = true; }

TEST(InterruptProgressTest, SigintCancelsWhileItLivesAndTheOldHandlingReturnsAfterwards) {
  struct sigaction action {};
  action.sa_handler = PreviousHandler;
  sigemptyset(&action.sa_mask);
  struct sigaction saved {};
  sigaction(SIGINT, &action, &saved);
  NullProgress bar;
  {
    InterruptProgress progress(bar);
    EXPECT_FALSE(progress.Cancelled());
    raise(SIGINT);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_FALSE(previous_handler_ran);
  }
  {
    InterruptProgress again(bar);  // a new command starts uncancelled
    EXPECT_FALSE(again.Cancelled());
  }
  raise(SIGINT);
  EXPECT_TRUE(previous_handler_ran);
  sigaction(SIGINT, &saved, nullptr);
}

}  // namespace
}  // namespace morvane
