// The pacing of repaints in long operations on the user-interface thread.
#include <gtest/gtest.h>

#include "platform/seam.h"
#include "support/fake_clock.h"
#include "ui/PaintPacer.h"

namespace {

TEST(PaintPacer, TheFirstCallIsDueThenOnlyOncePerIntervalAcrossTheWrap) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  clock.ticks = 0xFFFFFFFFu - 20;
  ui::PaintPacer pacer;
  EXPECT_TRUE(pacer.Due());
  EXPECT_FALSE(pacer.Due());
  clock.Advance(49);
  EXPECT_FALSE(pacer.Due());
  clock.Advance(1);  // past the wrap of the tick count
  EXPECT_TRUE(pacer.Due());
  EXPECT_FALSE(pacer.Due());
  pacer.Reset();
  EXPECT_TRUE(pacer.Due());
}

TEST(PaintPacer, ASlowPaintMakesTheNextWaitFortyTimesItsDuration) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  ui::PaintPacer pacer;
  ASSERT_TRUE(pacer.Due());
  clock.Advance(10);  // the paint took 10 ms
  pacer.Painted();
  clock.Advance(389);
  EXPECT_FALSE(pacer.Due()) << "399 ms after the paint began";
  clock.Advance(1);
  EXPECT_TRUE(pacer.Due());
  // A quick paint leaves the interval as it was.
  clock.Advance(1);
  pacer.Painted();
  clock.Advance(49);
  EXPECT_TRUE(pacer.Due());
}

}  // namespace
