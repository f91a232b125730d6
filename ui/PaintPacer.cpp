#include "ui/PaintPacer.h"

#include "platform/clock.h"

namespace ui {

bool PaintPacer::Due() {
  const DWORD now = platform::clock().TickCount();
  // Unsigned difference: right across the wrap of the tick count.
  if (started_ && now - last_ < interval_) return false;
  started_ = true;
  last_ = now;
  return true;
}

}  // namespace ui
