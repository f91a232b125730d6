#include <gtest/gtest.h>

#include "platform/system_facts.h"

TEST(SystemFacts, RealScreenUnderXvfb) {
  EXPECT_EQ(platform::systemFacts().ScreenWidth(), 1280);
  EXPECT_EQ(platform::systemFacts().ScreenHeight(), 1024);
  EXPECT_DOUBLE_EQ(platform::TwipsPerPixel(), 15.0);
}
