#pragma once
// The clock: milliseconds since the system started (GetTickCount) and the date and time
// in whole seconds (time). Tests that would wait on it, or pace work by it, step it instead.
#include <windows.h>

#include <ctime>

#include "platform/seam.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DWORD TickCount() = 0;   // GetTickCount
  virtual std::time_t Now() = 0;   // the date and time, in seconds
  static Clock& Real();
};
inline Clock& clock() { return Seam<Clock>::Get(); }

}  // namespace platform
