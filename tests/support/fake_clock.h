#pragma once
// A clock that moves only when the test moves it:
//
//   FakeClock clock;
//   platform::Override<platform::Clock> useClock(clock);
//   clock.Advance(100);  // milliseconds
#include <windows.h>

#include <ctime>

#include "platform/clock.h"

class FakeClock : public platform::Clock {
 public:
  DWORD ticks = 1000000;
  std::time_t now = 1262304000;  // 2010-01-01 00:00:00 UTC
  // Seconds that pass at each reading of Now(), so that a wait on it ends by itself.
  std::time_t secondsPerReading = 0;

  void Advance(DWORD milliseconds) {
    ticks += milliseconds;
    now += milliseconds / 1000;
  }
  DWORD TickCount() override { return ticks; }
  std::time_t Now() override {
    std::time_t t = now;
    now += secondsPerReading;
    return t;
  }
};
