#include "ui/SecondStart.h"

namespace vorandel::ui {

namespace {

constexpr int kLookEvery = 100;

}  // namespace

bool bringRunningToFront(RunningProgram& running, int waitMilliseconds) {
  for (int waited = 0;; waited += kLookEvery) {
    if (running.bringToFront()) return true;
    if (waited >= waitMilliseconds) return false;
    running.pause(kLookEvery);
  }
}

}  // namespace vorandel::ui
