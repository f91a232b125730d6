#include "ui/PaintPacer.h"

#include <algorithm>

#include "platform/clock.h"

namespace ui {

bool PaintPacer::Due() {
  const DWORD now = platform::clock().TickCount();
  // Unsigned difference: right across the wrap of the tick count.
  if (started_ && now - last_ < std::max(interval_, pause_)) return false;
  started_ = true;
  last_ = now;
  pause_ = 0;
  return true;
}

void PaintPacer::Painted() {
  if (!started_) return;
  const DWORD took = platform::clock().TickCount() - last_;
  pause_ = took * kPaintShareInverse;
}

}  // namespace ui
