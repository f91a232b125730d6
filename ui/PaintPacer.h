#pragma once
// Paces the repaints of a long operation on the user-interface thread (a scan that shows
// its counters, a fill that shows its rows): Due() is true at its first call and then only
// when at least the interval has passed since it was last true. The clock is the
// platform's, so tests step it.
//
//   ui::PaintPacer pacer;
//   for (...) { ++count; if (pacer.Due()) Text1->SetText(std::to_string(count)); }
//   Text1->SetText(std::to_string(count));   // the final value, always
//
// Where a paint may be slow (a slow display, a remote session), the caller says when the
// paint that Due() allowed has ended, and the next one waits until the interval or forty
// times that paint's duration has passed since it began, so that painting takes at most a
// fortieth of the operation:
//
//   if (pacer.Due()) { Text1->SetText(...); pacer.Painted(); }
#include <windows.h>

namespace ui {

inline constexpr DWORD kPaintPacingMs = 50;

class PaintPacer {
 public:
  explicit PaintPacer(DWORD intervalMs = kPaintPacingMs) : interval_(intervalMs) {}
  bool Due();
  // The paint that the last true Due() allowed has ended.
  void Painted();
  // The next Due() is true again.
  void Reset() { started_ = false; }

  static constexpr DWORD kPaintShareInverse = 40;

 private:
  DWORD interval_;
  DWORD pause_ = 0;  // from the last true Due() to the next
  bool started_ = false;
  DWORD last_ = 0;
};

}  // namespace ui
