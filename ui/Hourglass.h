#pragma once
// The screen's mouse pointer as an hourglass while a long operation runs on the
// user-interface thread: set at once (the loop does not turn meanwhile), and the previous
// pointer back when the object goes, also when the work in between fails.
#include <windows.h>

namespace ui {

class HourglassPointer {
 public:
  HourglassPointer() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~HourglassPointer() { SetCursor(previous_); }
  HourglassPointer(const HourglassPointer&) = delete;
  HourglassPointer& operator=(const HourglassPointer&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace ui
