// Restore points through WMI: what the queries and method calls ask, and how their answers
// are read. WMI is scripted here; the last test runs against Wine's own WMI.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <optional>

#include "platform/restore_points.h"
#include "support/fake_wmi.h"

namespace {

using platform::WmiValue;

constexpr HRESULT kServiceDisabled = static_cast<HRESULT>(0x80070422);
constexpr HRESULT kWmiFailed = static_cast<HRESULT>(WBEM_E_FAILED);

class RestorePointsTest : public testing::Test {
 protected:
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
  platform::RestorePoints& points = platform::RestorePoints::Real();
};

TEST_F(RestorePointsTest, ListGivesTheDescriptionsInOrderSkippingNullOnes) {
  wmi.ScriptQuery("root\\default", "Select * from SystemRestore",
                  {FakeWmi::Row({{"Description", std::string("Before drivers")}}),
                   FakeWmi::Row({{"Description", std::monostate{}}}),
                   FakeWmi::Row({{"SequenceNumber", int64_t{3}}}),
                   FakeWmi::Row({{"Description", std::string("Quenvor settings change")}})});
  std::vector<std::string> descriptions;
  EXPECT_EQ(points.List(&descriptions), S_OK);
  EXPECT_EQ(descriptions, (std::vector<std::string>{"Before drivers", "Quenvor settings change"}));
}

TEST_F(RestorePointsTest, AFailingListKeepsWhatWasReadAndGivesTheError) {
  wmi.ScriptQuery("root\\default", "Select * from SystemRestore",
                  {FakeWmi::Row({{"Description", std::string("First")}})}, kWmiFailed);
  std::vector<std::string> descriptions;
  EXPECT_EQ(points.List(&descriptions), kWmiFailed);
  EXPECT_EQ(descriptions, std::vector<std::string>{"First"});
}

struct CreateCase {
  const char* name;
  HRESULT hr;
  std::optional<int64_t> returnValue;  // none: the method gives no ReturnValue
  bool created;
};

TEST_F(RestorePointsTest, OnlyASucceededCallReturningZeroCreatedAPoint) {
  const CreateCase cases[] = {
      {"created", S_OK, 0, true},
      {"refused by the method", S_OK, 1058, false},
      {"no return value", S_OK, std::nullopt, false},
      {"call failed", kWmiFailed, std::nullopt, false},
      {"service disabled", kServiceDisabled, std::nullopt, false},
  };
  for (const CreateCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform::WmiObject out;
    if (c.returnValue) out = FakeWmi::Row({{"ReturnValue", *c.returnValue}});
    wmi.ScriptMethod("root\\default", "SystemRestore", "CreateRestorePoint", out, c.hr);
    platform::RestorePointResult result = points.Create("Removal of invalid shared dll's", 10);
    EXPECT_EQ(result.Created(), c.created);
    EXPECT_EQ(result.hr, c.hr);
    EXPECT_EQ(result.returnValue, c.returnValue);
  }
  const FakeWmi::MethodCall& call = wmi.Methods().back();
  EXPECT_EQ(call.nameSpace, "root\\default");
  EXPECT_EQ(call.objectPath, "SystemRestore");
  EXPECT_EQ(call.method, "CreateRestorePoint");
  EXPECT_EQ(call.in, (std::map<std::string, WmiValue>{{"Description", std::string("Removal of invalid shared dll's")},
                                                      {"RestorePointType", int64_t{10}},
                                                      {"EventType", int64_t{100}}}));
}

// Wine's SystemRestore is a stub: its one instance has no description, and its creation
// declares no parameters and makes nothing, so nothing may be reported as created.
TEST(RestorePointsUnderWine, NothingIsListedAndNothingIsCreated) {
  std::vector<std::string> descriptions;
  EXPECT_EQ(platform::restorePoints().List(&descriptions), S_OK);
  EXPECT_TRUE(descriptions.empty());
  EXPECT_FALSE(platform::restorePoints().Create("Quenvor test", 12).Created());
}

}  // namespace
