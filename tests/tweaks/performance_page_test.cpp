// The Performance Tweaks page against the real registry of the test prefix: what it reads,
// what Save writes, its questions, the Auto Tuner's path on the page loaded hidden, Core
// Parking through a recorded powercfg, the undo program and the cache-size check.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "platform/wmi.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/main_window.h"
#include "support/fakes.h"
#include "shell/PageFrame.h"
#include "support/real_input.h"
#include "support/registry_fixture.h"
#include "support/scoped_registry_values.h"
#include "tweaks/frmPerformance.h"

namespace {

using platform::RegKey;
using platform::WmiObject;
using namespace std::string_literals;

constexpr DWORDLONG kMB = 1024ull * 1024;

// ---- a WMI that answers what the test says -------------------------------------------

class FakeWmi : public platform::Wmi {
 public:
  HRESULT result = S_OK;
  std::vector<WmiObject> rows;
  std::vector<std::string> queries;

  HRESULT Query(const std::string& nameSpace, const std::string& wql,
                std::vector<WmiObject>* out) override {
    queries.push_back(nameSpace + "|" + wql);
    *out = rows;
    return result;
  }
  HRESULT CallMethod(const std::string&, const std::string& path, const std::string& method,
                     const std::map<std::string, platform::WmiValue>&, WmiObject*) override {
    ADD_FAILURE() << "unexpected WMI call " << path << "." << method;
    return E_NOTIMPL;
  }
};

WmiObject Processor(std::optional<platform::WmiValue> l2) {
  WmiObject o;
  o.properties["Name"] = std::string("CPU");
  if (l2) o.properties["L2CacheSize"] = *l2;
  return o;
}

// ---- the registry the page works on --------------------------------------------------

struct Place {
  HKEY root;
  const char* key;
};
const Place kFileSystem{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\FileSystem"};
const Place kMemory{HKEY_LOCAL_MACHINE,
                    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management"};
const Place kPrefetch{HKEY_LOCAL_MACHINE,
                      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters"};
const Place kPriority{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\PriorityControl"};
const Place kLayout{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout"};
const Place kControl{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control"};
const Place kPolicies{HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"};
const Place kEffects{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects"};
const Place kDesktop{HKEY_CURRENT_USER, "Control Panel\\Desktop"};
const Place kAdvanced{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"};
const Place kMetrics{HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics"};
const Place kExplorer{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"};
const Place kSettings{HKEY_CURRENT_USER, kSettingsKey};

// Every value the page reads or writes. The policy key is absent until a policy is set.
std::vector<WatchedKey> Watched() {
  auto at = [](const Place& p, std::vector<std::string> values, bool windowsHasIt = true) {
    return WatchedKey{p.root, p.key, std::move(values), windowsHasIt};
  };
  return {
      at(kFileSystem, {"NtfsDisableLastAccessUpdate", "NtfsDisable8dot3NameCreation"}),
      at(kMemory, {"ClearPageFileAtShutdown", "LargeSystemCache", "DisablePagingExecutive", "SecondLevelDataCache"}),
      at(kPrefetch, {"EnablePrefetcher", "EnableSuperfetch"}),
      at(kPriority, {"Win32PrioritySeparation"}),
      at(kLayout, {"EnableAutoLayout"}),
      at(kControl, {"WaitToKillServiceTimeout"}),
      at(kPolicies, {"NoLowDiskSpaceChecks"}, false),
      at(kEffects, {"VisualFXSetting"}),
      at(kDesktop, {"UserPreferencesMask", "DragFullWindows", "SmoothScroll", "WindowArrangementActive",
                    "LowLevelHooksTimeout", "HungAppTimeout", "AutoEndTasks"}),
      at(kAdvanced, {"TaskBarAnimations", "DisablePreviewDesktop"}),
      at(kMetrics, {"MinAnimate"}),
      at(kExplorer, {"NoWindowMinimizingShortcuts"}),
      at(kSettings, {"CoreParkingDisabled", "RestorSet"}),
  };
}

std::string Value(const Place& p, const char* name) { return StoredValue(p.root, p.key, name); }
void SetDword(const Place& p, const char* name, DWORD n) {
  ASSERT_TRUE(RegKey(p.root, p.key, KEY_SET_VALUE | KEY_WOW64_64KEY).WriteDword(name, n)) << p.key;
}
void SetText(const Place& p, const char* name, const std::string& t) {
  ASSERT_TRUE(RegKey(p.root, p.key, KEY_SET_VALUE | KEY_WOW64_64KEY).WriteString(name, t)) << p.key;
}

// ---- the fixture -----------------------------------------------------------------------

class PerformancePageTest : public testing::Test {
 protected:
  void SetUp() override {
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
    RestartNeeded = false;
    AutoTuneMode = false;
    SetDword(kSettings, "RestorSet", 1);  // the main window asks no start-up question
    ASSERT_FALSE(frmPerformance->Loaded());
  }
  void TearDown() override {
    RestartNeeded = false;
    CloseMainWindow();
    AutoTuneMode = false;
  }
  FrmPerformance& Page() { return *frmPerformance; }
  void Load() { Page().Check1[0].Value(); }  // the first touch loads the page hidden
  void SetMemory(DWORDLONG bytes) { facts.memory.ullTotalPhys = bytes; }

  ScopedRegistryValues registry{Watched()};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi{wmi};
};

// The state of every bound control, as one text: the ticked boxes, the selected option and
// the cache-size text.
std::string Controls(FrmPerformance& p) {
  std::string s;
  auto box = [&](const char* name, ui::CheckBox& b) {
    if (b.Value() == 1) s += std::string(name) + " ";
  };
  for (int i : {0, 1, 2, 3, 4, 5, 23}) box(("Check1(" + std::to_string(i) + ")").c_str(), p.Check1[i]);
  for (int i : {0, 1}) box(("Check2(" + std::to_string(i) + ")").c_str(), p.Check2[i]);
  for (int i : {0, 1, 2}) box(("Check3(" + std::to_string(i) + ")").c_str(), p.Check3[i]);
  box("Check4(0)", p.Check4[0]);
  box("Check22", *p.Check22);
  if (p.Option1->Value()) s += "Option1 ";
  if (p.Option2->Value()) s += "Option2 ";
  return s + "Text1=" + p.Text1->Text();
}

// ---- loading ---------------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::function<void()> arrange;
  const char* shows;
};

class PerformanceReading : public PerformancePageTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(PerformanceReading, TheControlsShowTheSettingsInEffect) {
  GetParam().arrange();
  Load();
  EXPECT_FALSE(Page().Visible());
  EXPECT_EQ(Controls(Page()), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PerformanceReading,
    testing::Values(
        // Nothing set: only the inverted Aero row shows ticked.
        ReadCase{"NothingSet", [] {}, "Check1(4) Text1="},
        ReadCase{"WindowArrangementAsTextReadsItsBytes",
                 [] { SetText(kDesktop, "WindowArrangementActive", "1"); }, "Text1="},
        ReadCase{"PrefetchAndSuperfetch",
                 [] {
                   SetDword(kPrefetch, "EnablePrefetcher", 3);
                   SetDword(kPrefetch, "EnableSuperfetch", 3);
                 },
                 "Check1(4) Check1(5) Text1="},
        ReadCase{"SuperfetchNotThree",
                 [] {
                   SetDword(kPrefetch, "EnablePrefetcher", 3);
                   SetDword(kPrefetch, "EnableSuperfetch", 2);
                 },
                 "Check1(4) Text1="},
        ReadCase{"ProgramsPriority", [] { SetDword(kPriority, "Win32PrioritySeparation", 38); },
                 "Check1(4) Option1 Text1="},
        ReadCase{"BackgroundPriority", [] { SetDword(kPriority, "Win32PrioritySeparation", 24); },
                 "Check1(4) Option2 Text1="},
        ReadCase{"OtherPriority", [] { SetDword(kPriority, "Win32PrioritySeparation", 2); },
                 "Check1(4) Text1="},
        ReadCase{"Timeouts",
                 [] {
                   SetText(kDesktop, "LowLevelHooksTimeout", "2000");
                   SetText(kDesktop, "HungAppTimeout", "2000 ");
                   SetDword(kControl, "WaitToKillServiceTimeout", 2000);
                 },
                 "Check1(4) Check3(0) Text1="},
        ReadCase{"CacheSize", [] { SetDword(kMemory, "SecondLevelDataCache", 1024); },
                 "Check1(4) Check4(0) Text1=1024"},
        ReadCase{"FlagTests",
                 [] {
                   SetDword(kFileSystem, "NtfsDisableLastAccessUpdate", 2);
                   SetDword(kLayout, "EnableAutoLayout", 1);
                   SetDword(kMemory, "DisablePagingExecutive", 1);
                   SetDword(kEffects, "VisualFXSetting", 3);
                   SetDword(kDesktop, "WindowArrangementActive", 1);
                 },
                 "Check1(0) Check1(3) Check2(1) Check22 Text1="},
        // The policy row is ticked only by exactly 1.
        ReadCase{"LowDiskSpacePolicyTwo",
                 [] {
                   RegKey::Create(kPolicies.root, kPolicies.key, KEY_WOW64_64KEY)
                       .WriteDword("NoLowDiskSpaceChecks", 2);
                 },
                 "Check1(4) Text1="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PerformancePageTest, CaptionsAndToolTipsComeFromTheStringTable) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(350));
  EXPECT_EQ(Page().Check1[4].Caption(), LoadResString(248));
  EXPECT_EQ(Page().Check1[4].ToolTipText(), LoadResString(712));
  EXPECT_EQ(Page().Option2->ToolTipText(), LoadResString(825));
  EXPECT_EQ(Page().Command4->Caption(), "Disable Core Parking");
  EXPECT_EQ(Page().Text1->Text(), "");
}

// ---- Save ------------------------------------------------------------------------------

// Every value Save writes, in a fixed order.
std::string Written() {
  std::string s;
  auto add = [&](const Place& p, const char* name) { s += std::string(name) + "=" + Value(p, name) + "\n"; };
  add(kFileSystem, "NtfsDisableLastAccessUpdate");
  add(kFileSystem, "NtfsDisable8dot3NameCreation");
  add(kMemory, "ClearPageFileAtShutdown");
  add(kPrefetch, "EnablePrefetcher");
  add(kPrefetch, "EnableSuperfetch");
  add(kPriority, "Win32PrioritySeparation");
  add(kPolicies, "NoLowDiskSpaceChecks");
  add(kLayout, "EnableAutoLayout");
  add(kMemory, "LargeSystemCache");
  add(kMemory, "DisablePagingExecutive");
  add(kMemory, "SecondLevelDataCache");
  add(kEffects, "VisualFXSetting");
  add(kDesktop, "UserPreferencesMask");
  add(kDesktop, "DragFullWindows");
  add(kDesktop, "SmoothScroll");
  add(kAdvanced, "TaskBarAnimations");
  add(kMetrics, "MinAnimate");
  add(kDesktop, "WindowArrangementActive");
  add(kExplorer, "NoWindowMinimizingShortcuts");
  add(kAdvanced, "DisablePreviewDesktop");
  add(kDesktop, "LowLevelHooksTimeout");
  add(kDesktop, "HungAppTimeout");
  add(kControl, "WaitToKillServiceTimeout");
  add(kDesktop, "AutoEndTasks");
  return s;
}

TEST_F(PerformancePageTest, SaveWithEveryBoxClearWritesEveryClearState) {
  Load();
  Page().Check1[4].SetValue(2);  // read ticked; grey saves as clear
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1_Click();

  EXPECT_TRUE(RestartNeeded);
  EXPECT_EQ(Written(),
            "NtfsDisableLastAccessUpdate=dword:0\n"
            "NtfsDisable8dot3NameCreation=dword:0\n"
            "ClearPageFileAtShutdown=dword:0\n"
            "EnablePrefetcher=dword:2\n"
            "EnableSuperfetch=dword:2\n"
            "Win32PrioritySeparation=missing\n"  // no option selected
            "NoLowDiskSpaceChecks=missing\n"    // the policy stays not configured
            "EnableAutoLayout=dword:0\n"
            "LargeSystemCache=dword:0\n"
            "DisablePagingExecutive=dword:0\n"
            "SecondLevelDataCache=missing\n"
            "VisualFXSetting=dword:1\n"
            "UserPreferencesMask=binary:9E3C078012\n"
            "DragFullWindows=sz:1\n"
            "SmoothScroll=dword:1\n"
            "TaskBarAnimations=dword:1\n"
            "MinAnimate=sz:1\n"
            "WindowArrangementActive=dword:1\n"
            "NoWindowMinimizingShortcuts=dword:0\n"
            "DisablePreviewDesktop=dword:0\n"
            "LowLevelHooksTimeout=sz:5000\n"
            "HungAppTimeout=sz:5000\n"
            "WaitToKillServiceTimeout=sz:20000\n"
            "AutoEndTasks=sz:1\n");
  EXPECT_FALSE(KeyExists(kPolicies.root, kPolicies.key)) << "a policy key was created for a clear box";
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, LoadResString(351));
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_TRUE(boxes[0].coloured);
  EXPECT_TRUE(Page().Loaded()) << "the page stays open";
}

TEST_F(PerformancePageTest, SaveWithEveryBoxTickedWritesEveryTickedState) {
  SetText(kDesktop, "UserPreferencesMask", "not binary");
  Load();
  for (int i : {0, 1, 2, 3, 4, 5, 23}) Page().Check1[i].SetValue(1);
  for (int i : {0, 1}) Page().Check2[i].SetValue(1);
  for (int i : {0, 1, 2}) Page().Check3[i].SetValue(1);
  Page().Check4[0].SetValue(1);
  Page().Check22->SetValue(1);
  Page().Option2->SetValue(true);
  Page().Text1->SetText("2048");
  dialogs.AnswerMessageBox(IDYES);  // 8+3 names; 4 GiB asks nothing about paging
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1_Click();

  EXPECT_EQ(Written(),
            "NtfsDisableLastAccessUpdate=dword:1\n"
            "NtfsDisable8dot3NameCreation=dword:1\n"
            "ClearPageFileAtShutdown=dword:1\n"
            "EnablePrefetcher=dword:3\n"
            "EnableSuperfetch=dword:3\n"
            "Win32PrioritySeparation=dword:24\n"
            "NoLowDiskSpaceChecks=dword:1\n"
            "EnableAutoLayout=dword:1\n"
            "LargeSystemCache=dword:1\n"
            "DisablePagingExecutive=dword:1\n"
            "SecondLevelDataCache=dword:2048\n"
            "VisualFXSetting=dword:3\n"
            "UserPreferencesMask=binary:9830078010000000\n"
            "DragFullWindows=sz:0\n"
            "SmoothScroll=dword:0\n"
            "TaskBarAnimations=dword:0\n"
            "MinAnimate=sz:0\n"
            "WindowArrangementActive=dword:0\n"
            "NoWindowMinimizingShortcuts=dword:1\n"
            "DisablePreviewDesktop=dword:1\n"
            "LowLevelHooksTimeout=sz:2000\n"
            "HungAppTimeout=sz:2000\n"
            "WaitToKillServiceTimeout=sz:2000\n"
            "AutoEndTasks=sz:1\n");
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(627));
  EXPECT_EQ(boxes[1].text, LoadResString(351));
}

TEST_F(PerformancePageTest, SettingsWhoseKeyIsMissingAreNamedInsteadOfTheSuccessMessage) {
  DeleteRegistryTree(kLayout.root, kLayout.key, KEY_WOW64_64KEY);
  DeleteRegistryTree(kPrefetch.root, kPrefetch.key, KEY_WOW64_64KEY);
  Load();
  Page().Check1[3].SetValue(1);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1_Click();

  EXPECT_FALSE(KeyExists(kLayout.root, kLayout.key)) << "a key other than a policy key was created";
  EXPECT_FALSE(KeyExists(kPrefetch.root, kPrefetch.key));
  EXPECT_EQ(Value(kDesktop, "AutoEndTasks"), "sz:1") << "the other settings are still saved";
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "These settings could not be saved to the registry:\r\n\r\n" +
                               LoadResString(337) + "\r\n" + LoadResString(333));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// ---- the two questions -----------------------------------------------------------------

struct QuestionCase {
  const char* name;
  DWORDLONG memory;
  int names83, paging;  // the two boxes before Save
  std::vector<int> answers;
  std::vector<std::string> asked;  // "8.3" or the paging question's digits
  const char* names83After;
  const char* pagingAfter;
};

class PerformanceQuestions : public PerformancePageTest,
                             public testing::WithParamInterface<QuestionCase> {};

TEST_P(PerformanceQuestions, AreAskedBeforeWritingAndNoWritesTheClearState) {
  const QuestionCase& c = GetParam();
  SetMemory(c.memory);
  Load();
  Page().Check1[2].SetValue(c.names83);
  Page().Check2[1].SetValue(c.paging);
  for (int answer : c.answers) dialogs.AnswerMessageBox(answer);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command1_Click();

  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), c.names83After);
  EXPECT_EQ(Value(kMemory, "DisablePagingExecutive"), c.pagingAfter);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), c.asked.size() + 1);
  for (size_t i = 0; i < c.asked.size(); ++i) {
    SCOPED_TRACE(c.asked[i]);
    EXPECT_EQ(boxes[i].style, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_TRUE(boxes[i].coloured);
    if (c.asked[i] == "8.3") {
      EXPECT_EQ(boxes[i].text, LoadResString(627));
      EXPECT_EQ(boxes[i].title, LoadResString(706));
    } else {
      EXPECT_EQ(boxes[i].text, LoadResString(524) + c.asked[i] + LoadResString(291));
      EXPECT_EQ(boxes[i].title, LoadResString(707));
    }
  }
  EXPECT_EQ(Page().Check1[2].Value(), c.names83After == "dword:1"s ? 1 : 0);
  EXPECT_EQ(Page().Check2[1].Value(), c.pagingAfter == "dword:1"s ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceQuestions,
    testing::Values(
        QuestionCase{"EightDotThreeYes", 4096 * kMB, 1, 0, {IDYES}, {"8.3"}, "dword:1", "dword:0"},
        QuestionCase{"EightDotThreeNo", 4096 * kMB, 1, 0, {IDNO}, {"8.3"}, "dword:0", "dword:0"},
        QuestionCase{"PagingBelow512Yes", 510 * kMB, 0, 1, {IDYES}, {"510"}, "dword:0", "dword:1"},
        QuestionCase{"PagingBelow512No", 510 * kMB, 0, 1, {IDNO}, {"510"}, "dword:0", "dword:0"},
        // 511 MB is made even: 512, not below 512.
        QuestionCase{"Paging511IsNotAsked", 511 * kMB, 0, 1, {}, {}, "dword:0", "dword:1"},
        QuestionCase{"BothInOrder", 256 * kMB, 1, 1, {IDNO, IDYES}, {"8.3", "256"}, "dword:0", "dword:1"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the Auto Tuner's path -------------------------------------------------------------

struct TunerCase {
  const char* name;
  DWORDLONG memory;
  std::vector<WmiObject> processors;
  const char* shows;
  const char* cacheWritten;
};

class AutoTunerPath : public PerformancePageTest, public testing::WithParamInterface<TunerCase> {};

TEST_P(AutoTunerPath, PresetThenSaveOnThePageLoadedHiddenShowNothing) {
  const TunerCase& c = GetParam();
  SetMemory(c.memory);
  wmi.rows = c.processors;
  SetDword(kFileSystem, "NtfsDisable8dot3NameCreation", 1);  // read ticked, cleared by the preset
  SetDword(kMemory, "LargeSystemCache", 1);
  AutoTuneMode = true;

  Page().Command3_Click();
  Page().Command1_Click();

  EXPECT_TRUE(Page().Loaded());
  EXPECT_FALSE(Page().Visible());
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  EXPECT_TRUE(RestartNeeded);
  EXPECT_EQ(Controls(Page()), c.shows);
  EXPECT_EQ(wmi.queries, std::vector<std::string>{"root\\cimv2|Select * from Win32_Processor"});
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "dword:0");
  EXPECT_EQ(Value(kMemory, "LargeSystemCache"), "dword:0");
  EXPECT_EQ(Value(kPriority, "Win32PrioritySeparation"), "dword:38");
  EXPECT_EQ(Value(kMemory, "SecondLevelDataCache"), c.cacheWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, AutoTunerPath,
    testing::Values(
        TunerCase{"FourGigabytes", 4096 * kMB, {Processor(int64_t{512})},
                  "Check1(0) Check1(3) Check1(4) Check1(5) Check1(23) Check2(1) Check3(0) Check3(1) "
                  "Check3(2) Check4(0) Check22 Option1 Text1=512",
                  "dword:512"},
        // Below 512 MB the preset leaves the paging box clear, so Save asks nothing.
        TunerCase{"SmallMemoryNoProcessor", 256 * kMB, {},
                  "Check1(0) Check1(3) Check1(4) Check1(5) Check1(23) Check3(0) Check3(1) "
                  "Check3(2) Check4(0) Check22 Option1 Text1=",
                  "missing"},
        // A figure beyond 16 bits (64 GiB) still counts as 512 MB or more.
        TunerCase{"SixtyFourGigabytes", 65536 * kMB, {Processor(std::string("2048"))},
                  "Check1(0) Check1(3) Check1(4) Check1(5) Check1(23) Check2(1) Check3(0) Check3(1) "
                  "Check3(2) Check4(0) Check22 Option1 Text1=2048",
                  "dword:2048"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PerformancePageTest, APageTheTunerLeftLoadedIsShownAsItWasLeft) {
  AutoTuneMode = true;
  Page().Command3_Click();
  AutoTuneMode = false;
  SetDword(kFileSystem, "NtfsDisable8dot3NameCreation", 1);  // not read again
  frmmain->Image4_Click(0);
  EXPECT_TRUE(Page().Visible());
  EXPECT_EQ(Page().Check1[2].Value(), 0);
  EXPECT_EQ(Page().Check1[0].Value(), 1);
}

// ---- the physical-memory figure and the cache size read through WMI ---------------------

struct MemoryCase {
  const char* name;
  DWORDLONG bytes;
  bool fails;
  int32_t figure;
};

class MemoryFigure : public PerformancePageTest, public testing::WithParamInterface<MemoryCase> {};

TEST_P(MemoryFigure, MegabytesRoundedHalvesToEvenThenMadeEven) {
  facts.memory.ullTotalPhys = GetParam().bytes;
  facts.memoryFails = GetParam().fails;
  EXPECT_EQ(PhysicalMemoryFigure(), GetParam().figure);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MemoryFigure,
    testing::Values(MemoryCase{"Even", 510 * kMB, false, 510},
                    MemoryCase{"OddRaised", 511 * kMB, false, 512},
                    MemoryCase{"HalfToEvenDown", 510 * kMB + kMB / 2, false, 510},
                    MemoryCase{"HalfToEvenUp", 511 * kMB + kMB / 2, false, 512},
                    MemoryCase{"BeyondSixteenBits", 40960 * kMB, false, 40960},
                    MemoryCase{"Terabyte", 1024 * 1024 * kMB + kMB, false, 1048578},
                    MemoryCase{"StatusFails", 4096 * kMB, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct CacheCase {
  const char* name;
  HRESULT result;
  std::vector<WmiObject> rows;
  const char* text;
};

class CacheSizeFromWmi : public PerformancePageTest, public testing::WithParamInterface<CacheCase> {};

TEST_P(CacheSizeFromWmi, TheLastProcessorWithAValueWins) {
  wmi.result = GetParam().result;
  wmi.rows = GetParam().rows;
  EXPECT_EQ(L2CacheSizeFromWmi(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CacheSizeFromWmi,
    testing::Values(
        CacheCase{"Number", S_OK, {Processor(int64_t{256})}, "256"},
        CacheCase{"LastWins", S_OK, {Processor(int64_t{256}), Processor(int64_t{1024})}, "1024"},
        CacheCase{"NullKeepsTheEarlierValue", S_OK, {Processor(int64_t{256}), Processor(platform::WmiValue{})}, "256"},
        CacheCase{"PropertyMissing", S_OK, {Processor(std::nullopt)}, ""},
        CacheCase{"NoProcessor", S_OK, {}, ""},
        CacheCase{"FailedQuery", E_FAIL, {}, ""},
        CacheCase{"RowsBeforeAFailureCount", E_FAIL, {Processor(int64_t{512})}, "512"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Core Parking ----------------------------------------------------------------------

constexpr const char* kParkingValue =
    "powercfg -setacvalueindex scheme_current sub_processor 0cc5b647-c1df-4637-891a-dec35c318583 ";

TEST_F(PerformancePageTest, DisablingCoreParkingAsksThenRunsPowercfgAndRecordsIt) {
  InstalledRecorder powercfg("C:\\windows\\system32\\powercfg.exe", false);
  ASSERT_TRUE(powercfg.Installed());

  dialogs.AnswerMessageBox(IDNO);
  Page().Command4_Click();
  EXPECT_TRUE(powercfg.CommandLines().empty());
  EXPECT_EQ(Value(kSettings, "CoreParkingDisabled"), "missing");

  dialogs.AnswerMessageBox(IDYES);
  Page().Command4_Click();
  EXPECT_EQ(powercfg.CommandLines(),
            (std::vector<std::string>{kParkingValue + "100"s, "powercfg -setactive scheme_current"}));
  EXPECT_EQ(Value(kSettings, "CoreParkingDisabled"), "dword:1");

  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, "Disable Windows 7 Core Parking");
  EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL));
  EXPECT_EQ(boxes[1].text,
            "This will disable core parking for your current power scheme.  This may make your "
            "computer seem a bit snappier.  Your battery will most likely run out quicker on a "
            "laptop with core parking disabled. You will not need to reboot. This tweak takes "
            "effect immediately.\r\nWould you like to disable core parking?");
  EXPECT_TRUE(boxes[1].coloured);
  EXPECT_FALSE(RestartNeeded);
}

TEST_F(PerformancePageTest, EnablingCoreParkingRunsPowercfgWithoutAQuestion) {
  InstalledRecorder powercfg("C:\\windows\\system32\\powercfg.exe", false);
  ASSERT_TRUE(powercfg.Installed());
  Page().Command5_Click();
  EXPECT_EQ(powercfg.CommandLines(),
            (std::vector<std::string>{kParkingValue + "0"s, "powercfg -setactive scheme_current"}));
  EXPECT_EQ(Value(kSettings, "CoreParkingDisabled"), "dword:0");
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  EXPECT_FALSE(RestartNeeded);
}

// A powercfg run that fails ends the button's work: the failure is named, the scheme is not
// activated, and the record keeps what it held.
struct CoreParkingFailureCase {
  const char* name;
  bool installed;  // a recorded powercfg, else none at all (as in the sandbox)
  DWORD exitCode;
  const char* said;  // how the message begins, before the command line
  const char* after;  // what follows the command line
};

class CoreParkingFailures : public PerformancePageTest,
                            public testing::WithParamInterface<CoreParkingFailureCase> {};

TEST_P(CoreParkingFailures, AreNamedAndNothingIsRecorded) {
  const CoreParkingFailureCase& c = GetParam();
  std::optional<InstalledRecorder> powercfg;
  if (c.installed) {
    powercfg.emplace("C:\\windows\\system32\\powercfg.exe", false, c.exitCode);
    ASSERT_TRUE(powercfg->Installed());
  } else {
    char found[MAX_PATH];
    ASSERT_EQ(SearchPathA(nullptr, "powercfg.exe", nullptr, MAX_PATH, found, nullptr), 0u) << found;
  }
  SetDword(kSettings, "CoreParkingDisabled", 7);  // what an earlier press recorded
  struct Button {
    void (FrmPerformance::*click)();
    const char* percent;
    bool asks;
  };
  for (const Button& button : {Button{&FrmPerformance::Command4_Click, "100", true},
                               Button{&FrmPerformance::Command5_Click, "0", false}}) {
    SCOPED_TRACE(button.percent);
    if (button.asks) dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
    (Page().*button.click)();
    const std::string command = kParkingValue + std::string(button.percent);
    if (powercfg) {
      EXPECT_EQ(powercfg->CommandLines().back(), command) << "the scheme was activated all the same";
    }
    EXPECT_EQ(Value(kSettings, "CoreParkingDisabled"), "dword:7");
    const auto boxes = dialogs.MessageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text.rfind(c.said + command + c.after, 0), 0u) << boxes.back().text;
    EXPECT_EQ(boxes.back().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(boxes.back().coloured);
  }
  EXPECT_FALSE(RestartNeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoreParkingFailures,
    testing::Values(
        CoreParkingFailureCase{"ToolMissing", false, 0, "The command could not be started:\r\n\r\n", "\r\n\r\n"},
        CoreParkingFailureCase{"NonZeroExit", true, 2, "The command did not succeed:\r\n\r\n", "\r\n\r\nExit code: 2"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- return to defaults ----------------------------------------------------------------

TEST_F(PerformancePageTest, ReturnToDefaultsStartsTheUndoProgramFromTheNativeSystemFolder) {
  InstalledRecorder undo("C:\\windows\\System32\\QuenvorUndo.exe", true);
  ASSERT_TRUE(undo.Installed());
  dialogs.AnswerMessageBox(IDOK);
  Page().Command19_Click();
  ASSERT_TRUE(undo.WaitForStart()) << "the undo program was not started";
  const auto lines = undo.CommandLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("QuenvorUndo.exe"), std::string::npos) << lines[0];
  EXPECT_TRUE(RestartNeeded);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, LoadResString(544));
  EXPECT_EQ(boxes[0].title, LoadResString(601));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(PerformancePageTest, AMissingUndoProgramIsReportedNotCalledASuccess) {
  dialogs.AnswerMessageBox(IDOK);
  Page().Command19_Click();
  EXPECT_FALSE(RestartNeeded);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "The settings undo program could not be started:\r\nC:\\windows\\System32\\QuenvorUndo.exe");
  EXPECT_EQ(boxes[0].title, LoadResString(601));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(boxes[0].coloured);
}

// ---- the cache-size check --------------------------------------------------------------

struct TypedCase {
  const char* typed;
  bool refused;
};

class CacheSizeCheck : public PerformancePageTest, public testing::WithParamInterface<TypedCase> {};

TEST_P(CacheSizeCheck, OnlyPlainNumbersPass) {
  Page().Text1->SetText(GetParam().typed);
  if (GetParam().refused) dialogs.AnswerMessageBox(IDOK);
  int cancel = 0;
  Page().Text1_Validate(cancel);
  EXPECT_EQ(cancel != 0, GetParam().refused);
  EXPECT_EQ(Page().Text1->Text(), GetParam().refused ? "0" : GetParam().typed);
  if (!GetParam().refused) return;
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, LoadResString(624));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[0].title, kAppTitle);
}

INSTANTIATE_TEST_SUITE_P(Texts, CacheSizeCheck,
                         testing::Values(TypedCase{"10000", false}, TypedCase{" 512 ", false},
                                         TypedCase{"10,000", true}, TypedCase{"", true},
                                         TypedCase{"abc", true}, TypedCase{"1,5", true}));

TEST_F(PerformancePageTest, LeavingTheCacheSizeBoxWithARefusedTextKeepsTheFocusThere) {
  Page().Show();
  ui::DoEvents();
  Page().Text1->SetFocus();
  Page().Text1->SetText("1,000");
  dialogs.AnswerMessageBox(IDOK);
  Page().Command3->SetFocus();
  ui::DoEvents();

  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(Page().Text1->Text(), "0");
  EXPECT_EQ(GetFocus(), Page().Text1->hWnd());

  // A number lets the focus go.
  Page().Text1->SetText("512");
  Page().Command3->SetFocus();
  ui::DoEvents();
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(GetFocus(), Page().Command3->hWnd());
}

// With real boxes and the user's own clicks: the page and the main window behind it take
// no click while a box is up, so the page cannot be closed (and loaded again with the
// registry's values) between the question and the rest of the Save.
TEST_F(PerformancePageTest, WhileTheSaveAsksThePageCannotBeClosedOrChanged) {
  OpenPage(Page());
  ui::DoEvents();
  Page().Check1[2].SetValue(1);  // 8+3 names: asked
  Page().Check3[0].SetValue(1);  // LowLevelHooksTimeout "2000"
  const HWND page = Page().hWnd(), main = frmmain->hWnd();
  const POINT closeBox = CloseBoxOf(page), check = CentreOf(Page().Check3[0].hWnd());
  ASSERT_NE(closeBox.x, -1);
  bool pageEnabled = true, mainEnabled = true;
  {
    RealMessageBoxes boxes;
    boxes.Answer(IDYES, [&](HWND box) {
      pageEnabled = IsWindowEnabled(page);
      mainEnabled = IsWindowEnabled(main);
      RECT covered{};
      GetWindowRect(box, &covered);
      ASSERT_FALSE(PtInRect(&covered, closeBox));
      ASSERT_FALSE(PtInRect(&covered, check));
      ASSERT_TRUE(ClickAt(closeBox));
      ASSERT_TRUE(ClickAt(check));
    });
    boxes.Answer(IDOK);
    ASSERT_TRUE(ClickAt(CentreOf(Page().Command1->hWnd())));  // Save
    EXPECT_EQ(boxes.Answered(), 2);
  }
  EXPECT_FALSE(pageEnabled);
  EXPECT_FALSE(mainEnabled);
  ASSERT_TRUE(Page().Loaded());
  EXPECT_EQ(Page().hWnd(), page) << "the page was closed and loaded again";
  EXPECT_EQ(Page().Check3[0].Value(), 1);
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "dword:1");
  EXPECT_EQ(Value(kDesktop, "LowLevelHooksTimeout"), "sz:2000");

  // Once the boxes are gone, the same close box closes the page.
  EXPECT_TRUE(IsWindowEnabled(page));
  EXPECT_TRUE(IsWindowEnabled(main));
  ASSERT_TRUE(ClickAt(closeBox));
  EXPECT_FALSE(Page().Loaded());
  EXPECT_TRUE(IsWindowVisible(main));
}

// The texts of a message box's static controls, one after the other.
std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[16]{}, part[1024]{};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, part, sizeof part) > 0) text += part;
  }
  return text;
}

// End Task sends WM_CLOSE to the page although the question keeps it disabled. The page
// stays until the Save has ended, so the Save writes exactly the user's ticks (not those of
// a page loaded anew from the registry) and says so; then the close is carried out.
TEST_F(PerformancePageTest, EndTaskWhileTheSaveAsksKeepsThePageAndWritesTheUsersTicks) {
  OpenPage(Page());
  ui::DoEvents();
  Page().Check1[2].SetValue(1);  // 8+3 names: asked
  Page().Check1[0].SetValue(1);  // Last Access
  const HWND page = Page().hWnd();
  bool samePageAtTheMessage = false;
  std::string message;
  {
    RealMessageBoxes boxes;
    boxes.Answer(IDYES, [&](HWND) { PostMessageA(page, WM_CLOSE, 0, 0); });
    boxes.Answer(IDOK, [&](HWND box) {
      samePageAtTheMessage = Page().Loaded() && Page().window() == page;
      message = BoxText(box);
    });
    SendMessageA(Page().Command1->hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(boxes.Answered(), 2);
  }
  EXPECT_TRUE(samePageAtTheMessage) << "the Save went on over a page loaded anew";
  EXPECT_EQ(message, LoadResString(351));
  EXPECT_EQ(Value(kFileSystem, "NtfsDisable8dot3NameCreation"), "dword:1");
  EXPECT_EQ(Value(kFileSystem, "NtfsDisableLastAccessUpdate"), "dword:1");

  ui::DoEvents();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_FALSE(IsWindow(page));
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
}

// A real click on the preset button while the cache size is refused: the check runs once
// the button has the focus, takes the focus back, and the button lets the mouse go, so
// its click does not happen and the next click into the text box reaches the text box.
TEST_F(PerformancePageTest, ARefusedCacheSizeLeavesNoButtonHoldingTheMouse) {
  wmi.rows = {Processor(int64_t{256})};
  OpenPage(Page());
  ui::DoEvents();
  const HWND text = Page().Text1->hWnd(), button = Page().Command3->hWnd();
  ASSERT_TRUE(ClickAt(CentreOf(text)));
  ASSERT_EQ(GetFocus(), text);
  Page().Text1->SetText("1,000");
  {
    RealMessageBoxes boxes;
    boxes.Answer(IDOK);
    ASSERT_TRUE(ClickAt(CentreOf(button)));
    EXPECT_EQ(boxes.Answered(), 1);
  }
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "the button looks pressed";
  EXPECT_EQ(GetFocus(), text);
  EXPECT_EQ(Page().Text1->Text(), "0");
  EXPECT_EQ(Page().Check1[0].Value(), 0) << "the preset ran";

  Page().Text1->SetText("512");
  SendMessageA(text, EM_SETSEL, 3, 3);
  RECT box{};
  GetWindowRect(text, &box);
  ASSERT_TRUE(ClickAt({box.left + 3, (box.top + box.bottom) / 2}));
  DWORD start = 99, end = 99;
  SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u) << "the click did not reach the text box";
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(Page().Text1->Text(), "512");
}

}  // namespace
