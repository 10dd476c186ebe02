#pragma once
// One program at a time: the first start claims a name of the session; a later start finds the first
// one's main window by the mark it carries and brings it to the front.
#include <windows.h>

#include "ui/SecondStart.h"

namespace vorandel::ui {

// The claim of the first start, held until the program ends.
class StartClaim {
 public:
  StartClaim();
  ~StartClaim();
  StartClaim(const StartClaim&) = delete;
  StartClaim& operator=(const StartClaim&) = delete;
  // False when another start of the program holds the claim. A claim the system refuses to make
  // counts as first: the program then runs as it would alone.
  bool first() const { return first_; }

 private:
  HANDLE mutex_;
  bool first_;
};

// The running program's main window, found among the windows of the session by its mark.
class Win32RunningProgram : public RunningProgram {
 public:
  bool bringToFront() override;
  void pause(int milliseconds) override;
};

// Marks the main window so that a second start finds it, and takes the mark away before it goes.
void markMainWindow(HWND window);
void unmarkMainWindow(HWND window);

}  // namespace vorandel::ui
