// A second start waits for the running program's window while that one is still starting, and ends
// within the wait whether the window came or not.
#include "ui/SecondStart.h"

#include <gtest/gtest.h>

namespace vorandel {
namespace {

// A running program whose main window appears at the given look (never when zero).
class StartingProgram : public ui::RunningProgram {
 public:
  explicit StartingProgram(int windowAtLook) : windowAtLook_(windowAtLook) {}
  bool bringToFront() override { return ++looks == windowAtLook_; }
  void pause(int milliseconds) override { paused += milliseconds; }
  int looks = 0;
  int paused = 0;

 private:
  int windowAtLook_;
};

TEST(SecondStart, WaitsForTheRunningWindowWithinTheWaitOnly) {
  StartingProgram ready(1);
  EXPECT_TRUE(ui::bringRunningToFront(ready, 1000));
  EXPECT_EQ(ready.paused, 0);

  StartingProgram starting(5);
  EXPECT_TRUE(ui::bringRunningToFront(starting, 1000));
  EXPECT_EQ(starting.looks, 5);
  EXPECT_GT(starting.paused, 0);
  EXPECT_LE(starting.paused, 1000);

  StartingProgram neverThere(0);
  EXPECT_FALSE(ui::bringRunningToFront(neverThere, 1000));
  EXPECT_GT(neverThere.looks, 2) << "looked again while waiting";
  EXPECT_GE(neverThere.paused, 900);
  EXPECT_LE(neverThere.paused, 1000);
}

}  // namespace
}  // namespace vorandel
