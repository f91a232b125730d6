// The service control against the real service manager of the test prefix, on services of
// the test's own (this test program, run as a service).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/service_control.h"
#include "support/test_service.h"

namespace {

std::string UniqueServiceName() {
  static int counter = 0;
  return "QuenvorTestSvc" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

platform::ServiceControl ControlFor(const std::string& name) {
  platform::ServiceControl control;
  control.SetServiceName(name);
  return control;
}

struct StatusCase {
  const char* name;
  DWORD startType;
  bool running;
  const char* expected;
};

TEST(ServiceControl, StatusTextFollowsStateAndStartType) {
  const StatusCase cases[] = {
      {"manual, stopped", SERVICE_DEMAND_START, false, "Stopped"},
      {"automatic, stopped", SERVICE_AUTO_START, false, "Stopped"},
      {"disabled, stopped", SERVICE_DISABLED, false, "Disabled"},
      {"manual, running", SERVICE_DEMAND_START, true, "Started"},
      // A service disabled while it runs is still running: it counts as started.
      {"disabled, running", SERVICE_DISABLED, true, "Started"},
  };
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedTestService service(UniqueServiceName(), SERVICE_DEMAND_START);
    ASSERT_TRUE(service.Created());
    ASSERT_TRUE(ArrangeService(service.Name(), c.startType, c.running));
    EXPECT_EQ(ControlFor(service.Name()).QueryService(), c.expected);
  }
}

TEST(ServiceControl, AServiceThatCannotBeQueriedGivesNoText) {
  EXPECT_EQ(ControlFor("QuenvorNoSuchService").QueryService(), "");
  EXPECT_EQ(ControlFor("").QueryService(), "");
  platform::ServiceControl missing = ControlFor("QuenvorNoSuchService");
  EXPECT_FALSE(missing.StartService());
  EXPECT_FALSE(missing.StopService());
  EXPECT_FALSE(missing.SetStartType(2));
  EXPECT_EQ(missing.LastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
}

// One control walks many services over its one connection to the service manager: a
// service that is missing fails alone, and the service selected before it is not touched.
TEST(ServiceControl, AMissingServiceNeverActsOnTheOneSelectedBefore) {
  ScopedTestService service(UniqueServiceName(), SERVICE_DEMAND_START);
  ASSERT_TRUE(service.Created());
  platform::ServiceControl control = ControlFor(service.Name());
  EXPECT_TRUE(control.SetStartType(2));
  EXPECT_EQ(control.LastError(), static_cast<DWORD>(ERROR_SUCCESS));

  control.SetServiceName("QuenvorNoSuchService");
  EXPECT_FALSE(control.SetStartType(4));
  EXPECT_EQ(control.LastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
  EXPECT_EQ(control.QueryService(), "");
  EXPECT_FALSE(control.StopService());
  EXPECT_EQ(ReadServiceFacts(service.Name()).startType, static_cast<DWORD>(SERVICE_AUTO_START));

  control.SetServiceName(service.Name());
  EXPECT_EQ(control.QueryService(), "Stopped");
  EXPECT_EQ(control.LastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST(ServiceControl, StartAndStopWaitForTheNewStateAndAcceptTheStateTheyAsk) {
  ScopedTestService service(UniqueServiceName(), SERVICE_DEMAND_START);
  ASSERT_TRUE(service.Created());
  platform::ServiceControl control = ControlFor(service.Name());

  EXPECT_TRUE(control.StartService());
  EXPECT_EQ(ReadServiceFacts(service.Name()).state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(control.QueryService(), "Started");
  EXPECT_TRUE(control.StartService());  // already running

  EXPECT_TRUE(control.StopService());
  EXPECT_EQ(ReadServiceFacts(service.Name()).state, static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(control.QueryService(), "Stopped");
  EXPECT_TRUE(control.StopService());  // not running
}

TEST(ServiceControl, ADisabledServiceDoesNotStart) {
  ScopedTestService service(UniqueServiceName(), SERVICE_DISABLED);
  ASSERT_TRUE(service.Created());
  platform::ServiceControl control = ControlFor(service.Name());
  EXPECT_FALSE(control.StartService());
  EXPECT_EQ(ReadServiceFacts(service.Name()).state, static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(control.QueryService(), "Disabled");
}

TEST(ServiceControl, SetStartTypeChangesOnlyTheStartType) {
  ScopedTestService service(UniqueServiceName(), SERVICE_DEMAND_START);
  ASSERT_TRUE(service.Created());
  ASSERT_TRUE(ArrangeService(service.Name(), SERVICE_DEMAND_START, true));
  platform::ServiceControl control = ControlFor(service.Name());
  const std::pair<int, DWORD> cases[] = {
      {2, SERVICE_AUTO_START}, {4, SERVICE_DISABLED}, {3, SERVICE_DEMAND_START}};
  for (auto [type, expected] : cases) {
    SCOPED_TRACE(type);
    EXPECT_TRUE(control.SetStartType(type));
    ServiceFacts facts = ReadServiceFacts(service.Name());
    EXPECT_EQ(facts.startType, expected);
    EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  }
  EXPECT_FALSE(control.SetStartType(7));
  EXPECT_EQ(ReadServiceFacts(service.Name()).startType, static_cast<DWORD>(SERVICE_DEMAND_START));
}

TEST(ServiceControl, ServicesBetweenStatesMatchNoneOfTheThreeTexts) {
  ScopedTestService service(UniqueServiceName(), SERVICE_DEMAND_START,
                            ScopedTestService::kHoldStart | ScopedTestService::kHoldStop);
  ASSERT_TRUE(service.Created());
  platform::ServiceControl control = ControlFor(service.Name());
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE raw = OpenServiceA(manager, service.Name().c_str(), SERVICE_ALL_ACCESS);
  ASSERT_NE(raw, nullptr);
  SERVICE_STATUS status{};

  // Held in its start until released: a start then waits for it to run.
  ASSERT_TRUE(StartServiceA(raw, 0, nullptr));
  EXPECT_EQ(control.QueryService(), "Start Pending");
  service.ReleaseStart();
  EXPECT_TRUE(control.StartService());
  EXPECT_EQ(control.QueryService(), "Started");

  ASSERT_TRUE(ControlService(raw, SERVICE_CONTROL_PAUSE, &status));
  EXPECT_EQ(control.QueryService(), "Paused");
  ASSERT_TRUE(ControlService(raw, SERVICE_CONTROL_CONTINUE, &status));
  EXPECT_EQ(control.QueryService(), "Started");

  // Held in its stop until released: a stop then waits for it to end.
  ASSERT_TRUE(ControlService(raw, SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(control.QueryService(), "Stop Pending");
  service.ReleaseStop();
  EXPECT_TRUE(control.StopService());
  EXPECT_EQ(control.QueryService(), "Stopped");

  CloseServiceHandle(raw);
  CloseServiceHandle(manager);
}

}  // namespace
