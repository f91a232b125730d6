// Service repair: the changes and the message through a scripted WMI (Wine's Win32_Service
// has no Change method), and the selection made by Wine's own query among dummy services.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "maintenance/ServiceRepair.h"
#include "maintenance/frmToolBox.h"
#include "platform/seam.h"
#include "shell/Strings.h"
#include "support/fake_wmi.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/test_service.h"

namespace {

class ServiceRepairTest : public testing::Test {
 protected:
  void TearDown() override { CloseMainWindow(); }
  void Repair() {
    dialogs.AnswerMessageBox(IDOK);
    frmToolBox->Command57_Click();
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

struct Change {
  const char* service;
  HRESULT call;
  int64_t returned;
};

struct RepairCase {
  const char* name;
  HRESULT query;
  std::vector<Change> changes;  // the services the query gives, in order, and how their change goes
  std::string text;
  UINT icon;
};

class ScriptedRepair : public ServiceRepairTest, public testing::WithParamInterface<RepairCase> {};

TEST_P(ScriptedRepair, SetsEachServiceToManualAndCountsOnlyTheChangesThatWorked) {
  const RepairCase& c = GetParam();
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi(wmi);
  std::vector<platform::WmiObject> rows;
  for (const Change& change : c.changes) {
    rows.push_back(FakeWmi::Row({{"Name", std::string(change.service)}, {"State", std::string("Stopped")}}));
    wmi.ScriptMethod("root\\cimv2", ServiceObjectPath(change.service), "Change",
                     FakeWmi::Row({{"ReturnValue", change.returned}}), change.call);
  }
  wmi.ScriptQuery("root\\cimv2", kStoppedAutomaticQuery, rows, c.query);

  Repair();

  ASSERT_EQ(wmi.Queries().size(), 1u);
  EXPECT_EQ(wmi.Queries()[0].wql, "Select * from Win32_Service Where State = 'Stopped' and StartMode = 'Auto'");
  ASSERT_EQ(wmi.Methods().size(), c.changes.size());
  for (size_t i = 0; i < c.changes.size(); ++i) {
    EXPECT_EQ(wmi.Methods()[i].objectPath, ServiceObjectPath(c.changes[i].service));
    EXPECT_EQ(wmi.Methods()[i].method, "Change");
    const std::map<std::string, platform::WmiValue> manual = {{"StartMode", std::string("Manual")}};
    EXPECT_EQ(wmi.Methods()[i].in, manual) << "only the start mode is given";
  }
  ExpectOnlyMessageBox(dialogs, c.text, MB_OK | c.icon);
}

const std::string kFound = "Quenvor Pro has found";
const std::string kSetToManual = "service(s) that are set to Automatic and Stopped.   They have been set to Manual.";
const HRESULT kNoMethod = WBEM_E_NOT_FOUND;

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptedRepair,
    testing::Values(
        RepairCase{"NoneFound", S_OK, {},
                   "Quenvor Pro could not find any service(s) that are set to Automatic and Stopped.",
                   MB_ICONINFORMATION},
        RepairCase{"TwoChanged", S_OK, {{"Alpha", S_OK, 0}, {"Odd'Name", S_OK, 0}}, kFound + "2" + kSetToManual,
                   MB_ICONINFORMATION},
        RepairCase{"OneRefused", S_OK, {{"Alpha", S_OK, 0}, {"Beta", S_OK, 2}, {"Gamma", S_OK, 0}},
                   kFound + "2" + kSetToManual + "\r\n\r\nThese services could not be set to Manual:\r\n\r\nBeta",
                   MB_ICONEXCLAMATION},
        RepairCase{"NoneChanged", S_OK, {{"Alpha", kNoMethod, 0}, {"Beta", S_OK, 21}},
                   "These services could not be set to Manual:\r\n\r\nAlpha\r\nBeta", MB_ICONEXCLAMATION},
        RepairCase{"QueryFailed", static_cast<HRESULT>(WBEM_E_FAILED), {},
                   "The services could not be listed, so none was set to Manual.", MB_ICONEXCLAMATION},
        RepairCase{"QueryFailedAfterOne", static_cast<HRESULT>(WBEM_E_FAILED), {{"Alpha", S_OK, 0}},
                   kFound + "1" + kSetToManual + "\r\n\r\nNot every service set to Automatic and Stopped could be listed.",
                   MB_ICONEXCLAMATION}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ServiceObjectPath, QuotesAndBackslashesInANameAreEscaped) {
  EXPECT_EQ(ServiceObjectPath("Spooler"), "Win32_Service.Name='Spooler'");
  EXPECT_EQ(ServiceObjectPath("It's\\x"), "Win32_Service.Name='It\\'s\\\\x'");
}

// Wine's own query chooses among real services, and its missing Change method is reported.
class RecordingWmi : public platform::Wmi {
 public:
  HRESULT Query(const std::string& nameSpace, const std::string& wql, std::vector<platform::WmiObject>* rows) override {
    const HRESULT hr = platform::Wmi::Real().Query(nameSpace, wql, rows);
    for (const platform::WmiObject& row : *rows)
      if (const auto* name = row.Find("Name"); name && std::holds_alternative<std::string>(*name))
        listed.push_back(std::get<std::string>(*name));
    return hr;
  }
  HRESULT CallMethod(const std::string& nameSpace, const std::string& objectPath, const std::string& method,
                     const std::map<std::string, platform::WmiValue>& in, platform::WmiObject* out) override {
    changed.push_back(objectPath);
    return platform::Wmi::Real().CallMethod(nameSpace, objectPath, method, in, out);
  }
  std::vector<std::string> changed;
  std::vector<std::string> listed;  // the names Wine's query gave, in order
};

TEST_F(ServiceRepairTest, OnlyStoppedAutomaticServicesAreChosenAfterWmiIsMadeSureOf) {
  const ServiceFacts winmgmt = ReadServiceFacts("winmgmt");
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  ScopedTestService stopped("QuenvorRepairStopped", SERVICE_AUTO_START);
  ScopedTestService running("QuenvorRepairRunning", SERVICE_AUTO_START);
  ScopedTestService manual("QuenvorRepairManual", SERVICE_DEMAND_START);
  ASSERT_TRUE(ArrangeService(running.Name(), SERVICE_AUTO_START, true));
  RecordingWmi wmi;
  {
    platform::Override<platform::Wmi> useWmi(wmi);
    Repair();
  }
  const ServiceFacts facts = ReadServiceFacts("winmgmt");
  EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  auto chosen = [&](const std::string& name) {
    return std::count(wmi.changed.begin(), wmi.changed.end(), ServiceObjectPath(name)) == 1;
  };
  EXPECT_TRUE(chosen(stopped.Name()));
  EXPECT_FALSE(chosen(running.Name()));
  EXPECT_FALSE(chosen(manual.Name()));
  // Every service Wine lists is named, as Wine has no Change method: ours, and any real
  // service of the prefix that happens to be automatic and stopped at the time.
  EXPECT_EQ(wmi.changed.size(), wmi.listed.size());
  std::string names;
  for (const std::string& name : wmi.listed) names += (names.empty() ? "" : "\r\n") + name;
  ExpectOnlyMessageBox(dialogs, "These services could not be set to Manual:\r\n\r\n" + names,
                       MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(ReadServiceFacts(stopped.Name()).startType, static_cast<DWORD>(SERVICE_AUTO_START));
  ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING);
}

}  // namespace
