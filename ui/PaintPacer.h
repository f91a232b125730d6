#pragma once
// Paces the repaints of a long operation on the user-interface thread (a scan that shows
// its counters, a fill that shows its rows): Due() is true at its first call and then only
// when at least the interval has passed since it was last true. The clock is the
// platform's, so tests step it.
//
//   ui::PaintPacer pacer;
//   for (...) { ++count; if (pacer.Due()) Text1->SetText(std::to_string(count)); }
//   Text1->SetText(std::to_string(count));   // the final value, always
#include <windows.h>

namespace ui {

inline constexpr DWORD kPaintPacingMs = 50;

class PaintPacer {
 public:
  explicit PaintPacer(DWORD intervalMs = kPaintPacingMs) : interval_(intervalMs) {}
  bool Due();
  // The next Due() is true again.
  void Reset() { started_ = false; }

 private:
  DWORD interval_;
  bool started_ = false;
  DWORD last_ = 0;
};

}  // namespace ui
