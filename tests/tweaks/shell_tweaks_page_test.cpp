// The Shell Tweaks page against the real registry and service manager of the test prefix:
// the toolbar layouts and search history deleted (or named when they cannot be), the
// performance-counter switch, and the event logs cleared through a scripted WMI (Wine has
// no event-log class) and through the real one.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fake_wmi.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/frmShellTweaks.h"

namespace {

const std::string kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const std::string kSearch = "Software\\Microsoft\\Search Assistant\\ACMru";
const std::string kPerflib = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib";
constexpr const char* kCounters = "Disable Performance Counters";

class ShellTweaksPageTest : public testing::Test {
 protected:
  void SetUp() override {
    RestartNeeded = false;
    AutoTuneMode = false;
  }
  void TearDown() override {
    CloseMainWindow();
    RestartNeeded = false;
    AutoTuneMode = false;
  }
  FrmShellTweaks& Page() { return *frmShellTweaks; }
  void ExpectMessage(const std::string& text, UINT icon, const std::string& title = kAppTitle) {
    ExpectOnlyMessageBox(dialogs, text, MB_OK | icon, title);
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

// ---- toolbars and search history -------------------------------------------------------

struct EntryCase {
  const char* name;
  bool present;
  bool locked;  // the first entry's key refuses changes
};

class RestoreToolbars : public ShellTweaksPageTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(RestoreToolbars, DeletesTheThreeLayoutsAndNamesOneLeft) {
  const EntryCase& c = GetParam();
  ScopedRegistryValues registry({{HKEY_CURRENT_USER, kToolbar + "\\Explorer", {"ITBarLayout"}},
                                 {HKEY_CURRENT_USER, kToolbar + "\\ShellBrowser", {"ITBarLayout", "Other"}},
                                 {HKEY_CURRENT_USER, kToolbar + "\\WebBrowser", {"ITBarLayout"}}});
  for (const char* browser : {"Explorer", "ShellBrowser", "WebBrowser"}) {
    platform::RegKey key(HKEY_CURRENT_USER, kToolbar + "\\" + browser, KEY_SET_VALUE | KEY_WOW64_64KEY);
    if (c.present) ASSERT_TRUE(key.WriteBinary("ITBarLayout", {1, 2, 3}));
  }
  platform::RegKey(HKEY_CURRENT_USER, kToolbar + "\\ShellBrowser", KEY_SET_VALUE | KEY_WOW64_64KEY).WriteDword("Other", 7);
  {
    std::optional<ScopedKeyAccess> locked;
    if (c.locked) locked.emplace(HKEY_CURRENT_USER, kToolbar + "\\Explorer", KEY_QUERY_VALUE);
    dialogs.AnswerMessageBox(IDOK);
    Page().Command47_Click();
  }
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kToolbar + "\\Explorer", "ITBarLayout"),
            c.locked ? "binary:010203" : "missing");
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kToolbar + "\\ShellBrowser", "ITBarLayout"), "missing");
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kToolbar + "\\WebBrowser", "ITBarLayout"), "missing");
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kToolbar + "\\ShellBrowser", "Other"), "dword:7");
  if (c.locked) {
    ExpectMessage("These entries could not be deleted from the registry:\r\n\r\nHKEY_CURRENT_USER\\" + kToolbar +
                      "\\Explorer\\ITBarLayout",
                  MB_ICONEXCLAMATION);
  } else {
    ExpectMessage(LoadResString(200), MB_ICONINFORMATION, LoadResString(708));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RestoreToolbars,
                         testing::Values(EntryCase{"Stored", true, false}, EntryCase{"NothingStored", false, false},
                                         EntryCase{"OneLocked", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

class ClearSearchHistory : public ShellTweaksPageTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(ClearSearchHistory, DeletesTheThreeHistoryKeysAndNamesOneLeft) {
  const EntryCase& c = GetParam();
  ScopedRegistryValues registry({{HKEY_CURRENT_USER, kSearch, {}}});
  if (c.present) {
    for (const char* list : {"5001", "5603", "5604", "5647"})
      ASSERT_TRUE(platform::RegKey::Create(HKEY_CURRENT_USER, kSearch + "\\" + list, KEY_WOW64_64KEY).WriteString("a", "typed"));
  }
  // A key with a key below it is not deleted.
  if (c.locked) platform::RegKey::Create(HKEY_CURRENT_USER, kSearch + "\\5001\\Below", KEY_WOW64_64KEY);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command50_Click();

  EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kSearch + "\\5001"), c.locked);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSearch + "\\5603"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSearch + "\\5604"));
  EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kSearch + "\\5647"), c.present) << "another list stays";
  if (c.locked) {
    ExpectMessage("These entries could not be deleted from the registry:\r\n\r\nHKEY_CURRENT_USER\\" + kSearch +
                      "\\5001\\",
                  MB_ICONEXCLAMATION);
  } else {
    ExpectMessage(LoadResString(540), MB_ICONINFORMATION);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearSearchHistory,
                         testing::Values(EntryCase{"Stored", true, false}, EntryCase{"NothingStored", false, false},
                                         EntryCase{"OneWithASubkey", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- performance counters --------------------------------------------------------------

struct CounterCase {
  const char* name;
  bool off;          // Command48, else Command49
  bool storedBefore;
  bool locked;       // the key refuses changes
  bool autoTune;
  const char* after;
  std::string text;  // "" for no message
  UINT icon;
  bool restartNeeded;
};

class PerformanceCounters : public ShellTweaksPageTest, public testing::WithParamInterface<CounterCase> {};

TEST_P(PerformanceCounters, SwitchWritesOrDeletesTheValueAndNeedsARestartOnlyWhenItDid) {
  const CounterCase& c = GetParam();
  ScopedRegistryValues registry({{HKEY_LOCAL_MACHINE, kPerflib, {kCounters}}});
  if (c.storedBefore)
    platform::RegKey(HKEY_LOCAL_MACHINE, kPerflib, KEY_SET_VALUE | KEY_WOW64_64KEY).WriteDword(kCounters, 1);
  AutoTuneMode = c.autoTune;
  if (!c.text.empty()) dialogs.AnswerMessageBox(IDOK);
  {
    std::optional<ScopedKeyAccess> locked;
    if (c.locked) locked.emplace(HKEY_LOCAL_MACHINE, kPerflib, KEY_QUERY_VALUE);
    if (c.off) Page().Command48_Click();
    else Page().Command49_Click();
  }
  EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, kPerflib, kCounters), c.after);
  EXPECT_EQ(RestartNeeded, c.restartNeeded);
  if (c.text.empty()) {
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
  } else {
    ExpectMessage(c.text.size() <= 3 ? LoadResString(std::stoi(c.text)) : c.text, c.icon);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceCounters,
    testing::Values(
        CounterCase{"Off", true, false, false, false, "dword:1", "538", MB_ICONINFORMATION, true},
        CounterCase{"OffForTheAutoTuner", true, false, false, true, "dword:1", "", 0, true},
        CounterCase{"OffRefused", true, false, true, false, "missing",
                    "The performance counters could not be disabled: the setting could not be written to the registry.",
                    MB_ICONEXCLAMATION, false},
        CounterCase{"On", false, true, false, false, "missing", "539", MB_ICONINFORMATION, true},
        CounterCase{"OnWhenNotOff", false, false, false, false, "missing", "539", MB_ICONINFORMATION, true},
        CounterCase{"OnRefused", false, true, true, false, "dword:1",
                    "The performance counters could not be enabled: the setting could not be deleted from the registry.",
                    MB_ICONEXCLAMATION, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- event logs ------------------------------------------------------------------------

const std::string kLogQuery = "Select * from Win32_NTEventLogFile";

platform::WmiObject Log(const std::string& name) {
  return FakeWmi::Row({{"LogfileName", name}, {"__RELPATH", "Win32_NTEventLogFile.Name=\"" + name + ".evtx\""}});
}
std::string PathOf(const std::string& name) { return "Win32_NTEventLogFile.Name=\"" + name + ".evtx\""; }

struct LogCase {
  const char* name;
  std::vector<std::string> logs;
  HRESULT query;
  std::vector<std::pair<HRESULT, int64_t>> results;  // per log: the call and its ReturnValue
  std::string text;
  UINT icon;
};

class ClearEventLogs : public ShellTweaksPageTest, public testing::WithParamInterface<LogCase> {};

TEST_P(ClearEventLogs, ClearsEveryLogAndSaysWhichCouldNotBe) {
  const LogCase& c = GetParam();
  const ServiceFacts wmiBefore = ReadServiceFacts("winmgmt");
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi(wmi);
  std::vector<platform::WmiObject> rows;
  for (const std::string& name : c.logs) rows.push_back(Log(name));
  wmi.ScriptQuery("root\\cimv2", kLogQuery, rows, c.query);
  for (size_t i = 0; i < c.logs.size(); ++i)
    wmi.ScriptMethod("root\\cimv2", PathOf(c.logs[i]), "ClearEventLog",
                     FakeWmi::Row({{"ReturnValue", c.results[i].second}}), c.results[i].first);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command2_Click();

  const ServiceFacts wmiAfter = ReadServiceFacts("winmgmt");
  EXPECT_EQ(wmiAfter.startType, static_cast<DWORD>(SERVICE_AUTO_START)) << "WMI is made sure of first";
  EXPECT_EQ(wmiAfter.state, static_cast<DWORD>(SERVICE_RUNNING));
  ASSERT_EQ(wmi.Methods().size(), c.logs.size());
  for (size_t i = 0; i < c.logs.size(); ++i) {
    EXPECT_EQ(wmi.Methods()[i].objectPath, PathOf(c.logs[i]));
    EXPECT_TRUE(wmi.Methods()[i].in.empty()) << "no backup file";
  }
  ExpectMessage(c.text, c.icon);
  ArrangeService("winmgmt", wmiBefore.startType, wmiBefore.state == SERVICE_RUNNING);
}

const std::string kCleared = "The event logs on your computer have been cleared.";

INSTANTIATE_TEST_SUITE_P(
    Answers, ClearEventLogs,
    testing::Values(
        LogCase{"AllCleared", {"Application", "System"}, S_OK, {{S_OK, 0}, {S_OK, 0}}, kCleared, MB_ICONINFORMATION},
        LogCase{"OneRefused", {"Application", "Security", "System"}, S_OK, {{S_OK, 0}, {S_OK, 5}, {S_OK, 0}},
                "These event logs could not be cleared:\r\n\r\nSecurity", MB_ICONEXCLAMATION},
        LogCase{"OneCallFailed", {"Application", "System"}, S_OK, {{static_cast<HRESULT>(WBEM_E_FAILED), 0}, {S_OK, 0}},
                "These event logs could not be cleared:\r\n\r\nApplication", MB_ICONEXCLAMATION},
        LogCase{"QueryFailed", {}, static_cast<HRESULT>(WBEM_E_ACCESS_DENIED), {},
                "The event logs could not be listed, so none was cleared.", MB_ICONEXCLAMATION},
        LogCase{"QueryFailedAfterOne", {"Application"}, static_cast<HRESULT>(WBEM_E_FAILED), {{S_OK, 0}},
                "Not every event log could be listed.", MB_ICONEXCLAMATION},
        LogCase{"NoLog", {}, S_OK, {}, "No event log was found, so none was cleared.", MB_ICONEXCLAMATION}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTweaksPageTest, WinesOwnWmiListsNoEventLogAndThatIsSaid) {
  dialogs.AnswerMessageBox(IDOK);
  Page().Command2_Click();
  ExpectMessage("No event log was found, so none was cleared.", MB_ICONEXCLAMATION);
}

TEST_F(ShellTweaksPageTest, CaptionsComeFromTheStringTableOrTheDesign) {
  Page().Show();
  EXPECT_EQ(Page().Caption(), LoadResString(482));
  EXPECT_EQ(Page().Command45->Caption(), LoadResString(495));
  EXPECT_EQ(Page().Command49->Caption(), LoadResString(190));
  EXPECT_EQ(Page().Command2->Caption(), "Clear Event Logs");
  EXPECT_EQ(Page().Get<ui::Label>("Label1").Caption(), "This button below will clear out the event logs on your computer.");
}

}  // namespace
