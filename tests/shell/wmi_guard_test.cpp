// The WMI guard on the real "winmgmt" service of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include "shell/WmiGuard.h"
#include "shell/frmmain.h"
#include "support/test_service.h"

namespace {

// Leaves "winmgmt" as the test found it.
class WmiGuardTest : public testing::Test {
 protected:
  void SetUp() override {
    original = ReadServiceFacts("winmgmt");
    ASSERT_TRUE(original.exists);
  }
  void TearDown() override {
    EXPECT_TRUE(ArrangeService("winmgmt", original.startType, original.state == SERVICE_RUNNING));
  }
  ServiceFacts original;
};

struct GuardCase {
  const char* name;
  DWORD startType;
  bool running;
  DWORD expectedStartType;
};

TEST_F(WmiGuardTest, CheckWMIStartsAServiceThatIsNotRunningAndLeavesARunningOneAlone) {
  const GuardCase cases[] = {
      {"manual, stopped", SERVICE_DEMAND_START, false, SERVICE_AUTO_START},
      {"disabled, stopped", SERVICE_DISABLED, false, SERVICE_AUTO_START},
      {"automatic, stopped", SERVICE_AUTO_START, false, SERVICE_AUTO_START},
      {"manual, running", SERVICE_DEMAND_START, true, SERVICE_DEMAND_START},
      {"disabled, running", SERVICE_DISABLED, true, SERVICE_DISABLED},
  };
  for (const GuardCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ArrangeService("winmgmt", c.startType, c.running));
    frmmain->CheckWMI();
    ServiceFacts facts = ReadServiceFacts("winmgmt");
    EXPECT_EQ(facts.startType, c.expectedStartType);
    EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  }
  // The guard is a public procedure that touches no control: the main window stays unloaded.
  EXPECT_FALSE(frmmain->Loaded());
}

TEST_F(WmiGuardTest, StartWMIMakesTheServiceAutomaticAndStartsIt) {
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DISABLED, false));
  platform::ServiceControl control;
  control.SetServiceName("Spooler");  // the guard selects its own service
  wmi_guard::StartWMI(control);
  EXPECT_EQ(control.ServiceName(), "winmgmt");
  ServiceFacts facts = ReadServiceFacts("winmgmt");
  EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
}

}  // namespace
