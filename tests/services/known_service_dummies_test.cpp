// The dummy-services fixture leaves the prefix as it found it: the next test program works
// in the same prefix.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "services/KnownServices.h"
#include "support/known_service_dummies.h"

namespace {

TEST(KnownServiceDummies, MakeEveryKnownServiceAndLeaveThePrefixAsFound) {
  std::map<std::string, KnownServiceState> before;
  for (const auto& service : services::kKnownServices) before[service.key] = ReadKnownServiceState(service.key);
  std::string own;  // a known service of the prefix's own
  {
    KnownServiceDummies dummies;
    ASSERT_TRUE(dummies.Ready());
    EXPECT_EQ(dummies.Dummies().size() + 14, 144u);
    for (const auto& service : services::kKnownServices) {
      KnownServiceState state = ReadKnownServiceState(service.key);
      EXPECT_TRUE(state.exists) << service.key;
      if (!dummies.IsDummy(service.key)) {
        own = service.key;
        continue;
      }
      // As Windows 7 has them: the Default preset's start type.
      int code = service.Code(services::Preset::Default);
      EXPECT_EQ(state.startType, services::StartTypeOf(code)) << service.key;
      EXPECT_EQ(state.delayedAutoStart.has_value(), code == services::kDelayedAutomatic) << service.key;
    }
    ASSERT_FALSE(own.empty());
    dummies.ArrangeAllOtherThan(services::Preset::Safe);
  }
  for (const auto& service : services::kKnownServices)
    EXPECT_EQ(ReadKnownServiceState(service.key), before[service.key]) << service.key;
}

}  // namespace
