// The Performance II page against the test prefix: Speed Boost on the real policy key with
// dummy services under the names Windows gives them, Game Boost with dummies under names
// of its list that Wine lacks, the defragmenter through a recorded defrag.exe or
// dfrgui.exe, and the processor check.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/scoped_environment.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/frmPerformanceII.h"

namespace {

using namespace std::string_literals;

constexpr const char* kSystemPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const std::vector<std::string> kSpeedBoostValues = {
    "EnableLUA", "EnableInstallerDetection", "PromptOnSecureDesktop", "EnableVirtualization",
    "ConsentPromptBehaviorAdmin", "ConsentPromptBehaviorUser"};

// The six values as one text, in the page's order.
std::string SpeedBoostValues() {
  std::string s;
  for (const std::string& name : kSpeedBoostValues)
    s += name + "=" + StoredValue(HKEY_LOCAL_MACHINE, kSystemPolicies, name) + " ";
  return s;
}
const char* kEnabledValues =
    "EnableLUA=dword:0 EnableInstallerDetection=dword:0 PromptOnSecureDesktop=dword:0 "
    "EnableVirtualization=dword:0 ConsentPromptBehaviorAdmin=dword:0 ConsentPromptBehaviorUser=dword:3 ";
const char* kDisabledValues =
    "EnableLUA=dword:1 EnableInstallerDetection=dword:1 PromptOnSecureDesktop=dword:1 "
    "EnableVirtualization=dword:1 ConsentPromptBehaviorAdmin=dword:2 ConsentPromptBehaviorUser=dword:1 ";
const char* kNoValues =
    "EnableLUA=missing EnableInstallerDetection=missing PromptOnSecureDesktop=missing "
    "EnableVirtualization=missing ConsentPromptBehaviorAdmin=missing ConsentPromptBehaviorUser=missing ";

// "running", "stopped" or "missing", and the start type ("auto", "demand", "disabled").
std::string Service(const std::string& name) {
  ServiceFacts facts = ReadServiceFacts(name);
  if (!facts.exists) return "missing";
  std::string state = facts.state == SERVICE_RUNNING ? "running"
                      : facts.state == SERVICE_STOPPED ? "stopped"
                                                       : "state" + std::to_string(facts.state);
  const char* type = facts.startType == SERVICE_AUTO_START     ? "auto"
                     : facts.startType == SERVICE_DEMAND_START ? "demand"
                     : facts.startType == SERVICE_DISABLED     ? "disabled"
                                                               : "other";
  return state + "/" + type;
}

void ExpectBox(const FakeDialogs::Call& box, const std::string& text, UINT style,
               const std::string& title = kAppTitle) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.style, style);
  EXPECT_EQ(box.title, title);
  EXPECT_TRUE(box.coloured);
}

class PerformanceIIPageTest : public testing::Test {
 protected:
  void SetUp() override {
    RestartNeeded = false;
    AutoTuneMode = false;
    ASSERT_FALSE(frmPerformanceII->Loaded());
  }
  void TearDown() override {
    RestartNeeded = false;
    CloseMainWindow();
    AutoTuneMode = false;
  }
  FrmPerformanceII& Page() { return *frmPerformanceII; }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSystemFacts facts;  // 64-bit Windows
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
};

// ---- Speed Boost -----------------------------------------------------------------------

struct CaptionCase {
  const char* name;
  bool exists;
  DWORD startType;
  bool running;
  int caption;
};

class SpeedBoostCaption : public PerformanceIIPageTest, public testing::WithParamInterface<CaptionCase> {};

TEST_P(SpeedBoostCaption, ShowsEnabledOnlyWhileAppinfoIsDisabled) {
  const CaptionCase& c = GetParam();
  std::unique_ptr<ScopedTestService> appinfo;
  if (c.exists) {
    appinfo = std::make_unique<ScopedTestService>("Appinfo", SERVICE_DEMAND_START);
    ASSERT_TRUE(ArrangeService("Appinfo", c.startType, c.running));
  }
  EXPECT_EQ(Page().Frame1->Caption(), LoadResString(c.caption));
  EXPECT_EQ(Page().Caption(), LoadResString(348));
  EXPECT_EQ(Page().Command2->Caption(), LoadResString(1153));
}

INSTANTIATE_TEST_SUITE_P(
    Appinfo, SpeedBoostCaption,
    testing::Values(CaptionCase{"Running", true, SERVICE_DEMAND_START, true, 1155},
                    CaptionCase{"StoppedOnDemand", true, SERVICE_DEMAND_START, false, 1155},
                    CaptionCase{"Disabled", true, SERVICE_DISABLED, false, 1151},
                    CaptionCase{"Missing", false, 0, false, 1155}),
    [](const auto& info) { return std::string(info.param.name); });

class SpeedBoostTest : public PerformanceIIPageTest {
 protected:
  ScopedRegistryValues registry{{{HKEY_LOCAL_MACHINE, kSystemPolicies, kSpeedBoostValues}}};
};

TEST_F(SpeedBoostTest, EnableAndDisableWriteThePoliciesAndSwitchBothServices) {
  ScopedTestService appinfo("Appinfo", SERVICE_DEMAND_START);
  ScopedTestService search("WSearch", SERVICE_AUTO_START);
  ASSERT_TRUE(ArrangeService("Appinfo", SERVICE_DEMAND_START, true));
  ASSERT_TRUE(ArrangeService("WSearch", SERVICE_AUTO_START, true));

  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command2_Click();
  EXPECT_EQ(SpeedBoostValues(), kEnabledValues);
  EXPECT_EQ(Service("Appinfo"), "stopped/disabled");
  EXPECT_EQ(Service("WSearch"), "stopped/disabled");
  EXPECT_TRUE(RestartNeeded);

  RestartNeeded = false;
  dialogs.AnswerMessageBox(IDOK);
  Page().Command3_Click();
  EXPECT_EQ(SpeedBoostValues(), kDisabledValues);
  EXPECT_EQ(Service("Appinfo"), "running/auto");
  EXPECT_EQ(Service("WSearch"), "running/auto");
  EXPECT_TRUE(RestartNeeded);

  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  ExpectBox(boxes[0], LoadResString(1157), MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL, LoadResString(1156));
  ExpectBox(boxes[1], LoadResString(1158), MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
  ExpectBox(boxes[2], LoadResString(1158), MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
  EXPECT_FALSE(Page().Loaded()) << "the buttons need nothing of the page";
}

TEST_F(SpeedBoostTest, NoChangesNothing) {
  ScopedTestService appinfo("Appinfo", SERVICE_DEMAND_START);
  ASSERT_TRUE(ArrangeService("Appinfo", SERVICE_DEMAND_START, true));
  dialogs.AnswerMessageBox(IDNO);
  Page().Command2_Click();
  EXPECT_EQ(SpeedBoostValues(), kNoValues);
  EXPECT_EQ(Service("Appinfo"), "running/demand");
  EXPECT_FALSE(RestartNeeded);
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
}

struct FailureCase {
  const char* name;
  bool on;
  bool writable;        // the policy key opens for writing
  bool restartNeeded;
  const char* message;  // after the question, if any
};

class SpeedBoostFailures : public SpeedBoostTest, public testing::WithParamInterface<FailureCase> {};

// Wine has neither service; a key that opens without the right to set values stands for a
// policy key that cannot be written.
TEST_P(SpeedBoostFailures, NameWhatWasNotDoneInsteadOfClaimingSuccess) {
  const FailureCase& c = GetParam();
  if (!c.writable) RegWriteAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  if (c.on) dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);
  c.on ? Page().Command2_Click() : Page().Command3_Click();
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;

  EXPECT_EQ(SpeedBoostValues(), c.writable ? (c.on ? kEnabledValues : kDisabledValues) : kNoValues);
  EXPECT_EQ(RestartNeeded, c.restartNeeded);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), c.on ? 2u : 1u);
  ExpectBox(boxes.back(), c.message, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedBoostFailures,
    testing::Values(
        FailureCase{"EnableWithoutTheServices", true, true, true,
                    "Quenvor Speed Boost could not make every change.\r\n\r\nThese services could "
                    "not be stopped:\r\n\r\nAppinfo\r\nWSearch\r\n\r\nThese services could not be "
                    "disabled:\r\n\r\nAppinfo\r\nWSearch"},
        FailureCase{"DisableWithoutTheServices", false, true, true,
                    "Quenvor Speed Boost could not make every change.\r\n\r\nThese services could "
                    "not be set to start automatically:\r\n\r\nAppinfo\r\nWSearch\r\n\r\nThese "
                    "services could not be started:\r\n\r\nAppinfo\r\nWSearch"},
        FailureCase{"NothingWritten", true, false, false,
                    "Quenvor Speed Boost could not make every change.\r\n\r\nThese values could "
                    "not be written to the registry:\r\n\r\nEnableLUA\r\nEnableInstallerDetection\r\n"
                    "PromptOnSecureDesktop\r\nEnableVirtualization\r\nConsentPromptBehaviorAdmin\r\n"
                    "ConsentPromptBehaviorUser\r\n\r\nThese services could not be stopped:\r\n\r\n"
                    "Appinfo\r\nWSearch\r\n\r\nThese services could not be disabled:\r\n\r\nAppinfo\r\n"
                    "WSearch"}),
    [](const auto& info) { return std::string(info.param.name); });

// A service step that fails does not keep the other step from being taken: Appinfo stays
// "stop pending" after the stop request, and is disabled all the same; its key made
// read-only, the service manager cannot change its start type (Wine gives 5), and it is
// started all the same.
TEST_F(SpeedBoostTest, EachServiceStepIsTakenWhenTheOtherFailedAndTheFailureIsNamed) {
  constexpr const char* kAppinfoKey = "SYSTEM\\CurrentControlSet\\Services\\Appinfo";
  ScopedTestService search("WSearch", SERVICE_DEMAND_START);
  {
    ScopedTestService appinfo("Appinfo", SERVICE_DEMAND_START, ScopedTestService::kHoldStop);
    ASSERT_TRUE(ArrangeService("Appinfo", SERVICE_DEMAND_START, true));
    ASSERT_TRUE(ArrangeService("WSearch", SERVICE_DEMAND_START, true));
    dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
    Page().Command2_Click();
    EXPECT_EQ(ReadServiceFacts("Appinfo").startType, static_cast<DWORD>(SERVICE_DISABLED));
    EXPECT_EQ(Service("WSearch"), "stopped/disabled");
    appinfo.ReleaseStop();
  }
  ExpectBox(dialogs.MessageBoxes().back(),
            "Quenvor Speed Boost could not make every change.\r\n\r\nThese services could not be "
            "stopped:\r\n\r\nAppinfo",
            MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);

  ScopedTestService appinfo("Appinfo", SERVICE_DEMAND_START);
  {
    ScopedKeyAccess readOnly(HKEY_LOCAL_MACHINE, kAppinfoKey, KEY_QUERY_VALUE);
    ASSERT_TRUE(readOnly.Applied());
    dialogs.AnswerMessageBox(IDOK);
    Page().Command3_Click();
  }
  EXPECT_EQ(Service("Appinfo"), "running/demand");
  EXPECT_EQ(Service("WSearch"), "running/auto");
  ExpectBox(dialogs.MessageBoxes().back(),
            "Quenvor Speed Boost could not make every change.\r\n\r\nThese services could not be "
            "set to start automatically:\r\n\r\nAppinfo",
            MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

// ---- Game Boost ------------------------------------------------------------------------

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
  return temp;
}
std::string ListPath() { return TempFolder() + "\\services.xps"; }

// The file's bytes, or "no file".
std::string ListFile() {
  std::ifstream in(ListPath(), std::ios::binary);
  if (!in) return "no file";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class GameBoostTest : public PerformanceIIPageTest {
 protected:
  void SetUp() override {
    PerformanceIIPageTest::SetUp();
    // Services of the list that the prefix has and runs are stopped for the test, so that
    // only the test's own dummies are found running.
    for (const char* name : GameBoostServices) {
      ServiceFacts found = ReadServiceFacts(name);
      if (found.exists && found.state != SERVICE_STOPPED) {
        ASSERT_TRUE(ArrangeService(name, found.startType, false)) << name;
        stopped_.push_back({name, found.startType});
      }
    }
    DeleteFileA(ListPath().c_str());
  }
  void TearDown() override {
    SetFileAttributesA(ListPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(ListPath().c_str());
    RemoveDirectoryA(ListPath().c_str());
    for (const auto& [name, type] : stopped_) ArrangeService(name, type, true);
    PerformanceIIPageTest::TearDown();
  }
  // A dummy under a list name, running or stopped.
  void Dummy(const std::string& name, bool running) {
    dummies_.push_back(std::make_unique<ScopedTestService>(name, SERVICE_DEMAND_START));
    ASSERT_TRUE(ArrangeService(name, SERVICE_DEMAND_START, running)) << name;
  }
  void Activate(int answer = IDOK) {
    dialogs.AnswerMessageBox(answer);
    Page().Command41_Click();
  }
  void DeActivate() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command42_Click();
  }
  std::string LastText() { return dialogs.MessageBoxes().back().text; }
  // What the progress window showed when it last closed: caption, maximum and value.
  std::string LastProgress() {
    const auto& last = frmprogress->LastClosing();
    return last.caption + " " + std::to_string(static_cast<int>(last.max)) + " " +
           std::to_string(static_cast<int>(last.value));
  }

  std::vector<std::pair<std::string, DWORD>> stopped_;
  std::vector<std::unique_ptr<ScopedTestService>> dummies_;
};

TEST_F(GameBoostTest, ActivateRecordsAndStopsTheRunningServicesAndDeActivateStartsThemAgain) {
  Dummy("Themes", true);
  Dummy("TrkWks", true);
  Activate();
  EXPECT_EQ(ListFile(), "TrkWks\r\nThemes\r\n") << "in the order of the list";
  EXPECT_EQ(Service("TrkWks"), "stopped/demand");
  EXPECT_EQ(Service("Themes"), "stopped/demand");
  EXPECT_EQ(LastProgress(), LoadResString(506) + " 2 2");
  ExpectBox(dialogs.MessageBoxes().back(), LoadResString(466), MB_OK | MB_ICONINFORMATION);
  EXPECT_FALSE(RestartNeeded);

  DeActivate();
  EXPECT_EQ(Service("TrkWks"), "running/demand") << "start types are left as they are";
  EXPECT_EQ(Service("Themes"), "running/demand");
  EXPECT_EQ(LastProgress(), LoadResString(421) + " 2 2");
  ExpectBox(dialogs.MessageBoxes().back(), LoadResString(606), MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(ListFile(), "no file");
}

TEST_F(GameBoostTest, WithNothingRunningTheListIsEmptyAndDeActivateStartsNothing) {
  Dummy("Themes", false);
  Activate();
  EXPECT_EQ(ListFile(), "");
  EXPECT_EQ(LastProgress(), LoadResString(506) + " 0 0");
  EXPECT_EQ(LastText(), LoadResString(466));
  DeActivate();
  EXPECT_EQ(Service("Themes"), "stopped/demand");
  EXPECT_EQ(LastText(), LoadResString(606));
  EXPECT_EQ(ListFile(), "no file");

  // A second De-Activate finds no list.
  DeActivate();
  ExpectBox(dialogs.MessageBoxes().back(), LoadResString(523), MB_OK | MB_ICONERROR);
}

TEST_F(GameBoostTest, ActivatingTwiceKeepsWhatTheFirstStopped) {
  Dummy("Themes", true);
  Dummy("TrkWks", false);
  Activate();
  ASSERT_TRUE(ArrangeService("TrkWks", SERVICE_DEMAND_START, true));
  Activate();
  EXPECT_EQ(ListFile(), "Themes\r\nTrkWks\r\n");
  EXPECT_EQ(Service("TrkWks"), "stopped/demand");
  DeActivate();
  EXPECT_EQ(Service("Themes"), "running/demand");
  EXPECT_EQ(Service("TrkWks"), "running/demand");
}

TEST_F(GameBoostTest, DeActivateStartsOnlyServicesOfTheList) {
  Dummy("Themes", false);
  Dummy("QuenvorTestNotListed", false);
  {
    std::ofstream out(ListPath(), std::ios::binary);
    out << "QuenvorTestNotListed\r\nthemes\r\n";
  }
  DeActivate();
  EXPECT_EQ(Service("Themes"), "running/demand");
  EXPECT_EQ(Service("QuenvorTestNotListed"), "stopped/demand");
  EXPECT_EQ(LastProgress(), LoadResString(421) + " 2 2");
  EXPECT_EQ(ListFile(), "no file");
}

TEST_F(GameBoostTest, ServicesThatDoNotStartAgainAreNamedInsteadOfTheRestartedMessage) {
  Dummy("Themes", false);
  Dummy("TrkWks", false);
  ASSERT_TRUE(ArrangeService("Themes", SERVICE_DISABLED, false));  // a disabled service does not start
  {
    std::ofstream out(ListPath(), std::ios::binary);
    out << "Themes\r\nTrkWks\r\n";
  }
  DeActivate();
  EXPECT_EQ(Service("TrkWks"), "running/demand");
  EXPECT_EQ(Service("Themes"), "stopped/disabled");
  EXPECT_EQ(LastProgress(), LoadResString(421) + " 2 2");
  ExpectBox(dialogs.MessageBoxes().back(), "Game Boost could not start these services again:\r\n\r\nThemes",
            MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(ListFile(), "no file");
}

TEST_F(GameBoostTest, AListThatCannotBeReadStartsNothingAndStays) {
  Dummy("Themes", false);
  {
    std::ofstream out(ListPath(), std::ios::binary);
    out << "Themes\r\n";
  }
  const int closings = frmprogress->Closings();
  {
    // Held open without sharing: the list is found but cannot be opened.
    HANDLE held = CreateFileA(ListPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DeActivate();
    CloseHandle(held);
  }
  EXPECT_EQ(Service("Themes"), "stopped/demand");
  ExpectBox(dialogs.MessageBoxes().back(),
            "Game Boost could not read its list of stopped services from the file\r\n" + ListPath() +
                "\r\n\r\nNo service has been started.",
            MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(frmprogress->Closings(), closings) << "the progress window was shown";
  EXPECT_EQ(ListFile(), "Themes\r\n");
}

TEST_F(GameBoostTest, AListThatNamesNoServiceOfGameBoostIsNamedAndKept) {
  Dummy("QuenvorTestNotListed", false);
  const std::string foreign = "QuenvorTestNotListed\r\nnot a service at all\r\n";
  {
    std::ofstream out(ListPath(), std::ios::binary);
    out << foreign;
  }
  const int closings = frmprogress->Closings();
  DeActivate();
  EXPECT_EQ(Service("QuenvorTestNotListed"), "stopped/demand");
  ExpectBox(dialogs.MessageBoxes().back(),
            "The file\r\n" + ListPath() +
                "\r\nnames no service that Game Boost stops, so it is not Game Boost's list of "
                "stopped services.\r\n\r\nNo service has been started, and the file has been left as it is.",
            MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(frmprogress->Closings(), closings) << "the progress window was shown";
  EXPECT_EQ(ListFile(), foreign);
}

TEST_F(GameBoostTest, AHiddenListIsNotFound) {
  Dummy("Themes", false);
  {
    std::ofstream out(ListPath(), std::ios::binary);
    out << "Themes\r\n";
  }
  ASSERT_TRUE(SetFileAttributesA(ListPath().c_str(), FILE_ATTRIBUTE_HIDDEN));
  DeActivate();
  ExpectBox(dialogs.MessageBoxes().back(), LoadResString(523), MB_OK | MB_ICONERROR);
  EXPECT_EQ(Service("Themes"), "stopped/demand");
  EXPECT_EQ(ListFile(), "Themes\r\n");
}

TEST_F(GameBoostTest, AListThatIsALinkIsNeitherWrittenNorReadNorDeletedThrough) {
  // prepare.sh: a temporary folder whose services.xps is a link to a file outside it.
  const std::string folder = "C:\\QuenvorFixtures\\gameboost";
  const std::string canary = "C:\\QuenvorFixtures\\gameboost-canary.txt";
  auto content = [&] {
    std::ifstream in(canary, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  ASSERT_EQ(content(), "keep\r\n") << "the fixture of tests/tweaks/prepare.sh is missing";
  Dummy("Themes", true);
  ScopedEnvironmentVariable variable("TEMP", folder.c_str());
  const std::string link = "\r\n\r\nA link to another file stands under that name; it was left as it is.";
  Activate();
  EXPECT_EQ(Service("Themes"), "running/demand");
  ExpectBox(dialogs.MessageBoxes().back(),
            "Game Boost could not write its list of stopped services to the file\r\n" + folder + "\\services.xps" +
                link + "\r\n\r\nNo service has been stopped.",
            MB_OK | MB_ICONEXCLAMATION);
  DeActivate();
  ExpectBox(dialogs.MessageBoxes().back(),
            "Game Boost could not read its list of stopped services from the file\r\n" + folder + "\\services.xps" +
                link + "\r\n\r\nNo service has been started.",
            MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(content(), "keep\r\n");
}

struct TempCase {
  const char* name;
  std::function<std::string()> temp;  // nullptr text: TEMP unset
  bool folderAtList;                  // a folder where the list should go
  const char* message;                // "temp" or "file"
};

class GameBoostWithoutItsList : public GameBoostTest, public testing::WithParamInterface<TempCase> {};

TEST_P(GameBoostWithoutItsList, StopsNothingAndSaysWhy) {
  const TempCase& c = GetParam();
  Dummy("Themes", true);
  if (c.folderAtList) {
    ASSERT_TRUE(CreateDirectoryA(ListPath().c_str(), nullptr));
  }
  const std::string temp = c.temp();
  const int closings = frmprogress->Closings();
  {
    ScopedEnvironmentVariable variable("TEMP", temp == "unset" ? nullptr : temp.c_str());
    Activate();
  }
  EXPECT_EQ(Service("Themes"), "running/demand");
  const std::string text =
      std::string(c.message) == "temp"
          ? "Game Boost keeps its list of stopped services in the temporary folder, and the TEMP "
            "variable names no folder on a drive of this computer.\r\n\r\nNo service has been "
            "stopped or started."
          : "Game Boost could not write its list of stopped services to the file\r\n" + ListPath() +
                "\r\n\r\nNo service has been stopped.";
  ExpectBox(dialogs.MessageBoxes().back(), text, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(frmprogress->Closings(), closings) << "the progress window was shown";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GameBoostWithoutItsList,
    testing::Values(
        TempCase{"Unset", [] { return std::string("unset"); }, false, "temp"},
        TempCase{"Empty", [] { return std::string(""); }, false, "temp"},
        TempCase{"NotOnADrive", [] { return std::string("\\\\server\\share\\Temp"); }, false, "temp"},
        TempCase{"NoSuchFolder", [] { return TempFolder() + "\\NoSuchFolder"; }, false, "temp"},
        TempCase{"ListNotWritable", [] { return TempFolder(); }, true, "file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameBoostTest, ServicesThatDoNotStopAreNamed) {
  Dummy("Themes", true);
  dummies_.push_back(std::make_unique<ScopedTestService>("TrkWks", SERVICE_DEMAND_START,
                                                         ScopedTestService::kHoldStop));
  ASSERT_TRUE(ArrangeService("TrkWks", SERVICE_DEMAND_START, true));
  Activate();
  EXPECT_EQ(Service("Themes"), "stopped/demand");
  ExpectBox(dialogs.MessageBoxes().back(),
            "Game Boost could not stop these services:\r\n\r\nTrkWks\r\n\r\nThe services that were "
            "stopped start again with the \"De-Activate Game Boost\" button, or when you restart "
            "your computer.",
            MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(ListFile(), "TrkWks\r\nThemes\r\n");
}

// ---- Disk Defrag -----------------------------------------------------------------------

struct DefragCase {
  const char* name;
  bool is64;
  bool autoTune;
  int answer;
  const char* drive;    // selected before pressing; nullptr keeps the one of the load
  int exitCode;         // -1: no tool installed
  const char* ran;      // the recorded command line; nullptr: nothing ran
  const char* message;  // nullptr: none after the question
  UINT icon;            // MB_ICONINFORMATION: the completion message for the drive `message`
};

class DiskDefrag : public PerformanceIIPageTest, public testing::WithParamInterface<DefragCase> {};

TEST_P(DiskDefrag, RunsTheToolOfTheBitnessAndReportsItsOutcome) {
  const DefragCase& c = GetParam();
  if (!c.is64) facts.architecture = PROCESSOR_ARCHITECTURE_INTEL;
  AutoTuneMode = c.autoTune;
  // dfrgui lives in the native System32 only; the 32-bit defrag in the folder that a 32-bit
  // program's searches use.
  std::unique_ptr<InstalledRecorder> tool;
  if (c.exitCode >= 0) {
    tool = c.is64 ? std::make_unique<InstalledRecorder>("C:\\windows\\System32\\dfrgui.exe", true, c.exitCode)
                  : std::make_unique<InstalledRecorder>("C:\\windows\\system32\\defrag.exe", false, c.exitCode);
    ASSERT_TRUE(tool->Installed());
  }
  if (c.drive) {
    ASSERT_TRUE(Page().Drive2->SetDrive(c.drive));
  }
  dialogs.AnswerMessageBox(c.answer);
  if (c.message) dialogs.AnswerMessageBox(IDOK);
  TakeAutoTuneFailures();

  Page().Command43_Click();

  // In a run, an outcome that the page would report is handed to the Auto Tuner instead.
  const std::vector<std::string> handedOver = TakeAutoTuneFailures();
  if (c.autoTune && c.exitCode != 0) {
    EXPECT_EQ(handedOver, std::vector<std::string>{"The disk defragmenter ended with exit code " +
                                                   std::to_string(c.exitCode) + ":\r\n\r\n" + c.ran});
  } else {
    EXPECT_EQ(handedOver, std::vector<std::string>{});
  }

  if (tool) {
    EXPECT_EQ(tool->CommandLines(), c.ran ? std::vector<std::string>{c.ran} : std::vector<std::string>{});
  }
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), c.message ? 2u : 1u);
  ExpectBox(boxes[0], LoadResString(525), MB_YESNO | MB_ICONINFORMATION);
  if (c.message) {
    const std::string text = c.icon == MB_ICONINFORMATION ? LoadResString(96) + " " + c.message : c.message;
    ExpectBox(boxes[1], text, MB_OK | c.icon);
  }
  EXPECT_TRUE(Page().Loaded());
  EXPECT_FALSE(Page().Visible());
  EXPECT_FALSE(RestartNeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiskDefrag,
    testing::Values(
        DefragCase{"ThirtyTwoBit", false, false, IDYES, nullptr, 0, "defrag c: /u /v",
                   "c:", MB_ICONINFORMATION},
        DefragCase{"ThirtyTwoBitOtherDrive", false, false, IDYES, "q", 0, "defrag q: /u /v",
                   "q:", MB_ICONINFORMATION},
        DefragCase{"ThirtyTwoBitAutoTune", false, true, IDYES, nullptr, 0, "defrag c: /u /v", nullptr, 0},
        DefragCase{"ThirtyTwoBitNo", false, false, IDNO, nullptr, 0, nullptr, nullptr, 0},
        DefragCase{"ThirtyTwoBitFails", false, false, IDYES, nullptr, 5, "defrag c: /u /v",
                   "The disk defragmenter ended with exit code 5:\r\n\r\ndefrag c: /u /v", MB_ICONEXCLAMATION},
        DefragCase{"ThirtyTwoBitFailsInAutoTune", false, true, IDYES, nullptr, 5, "defrag c: /u /v", nullptr, 0},
        DefragCase{"ThirtyTwoBitMissing", false, false, IDYES, nullptr, -1, nullptr,
                   "The disk defragmenter could not be started:\r\n\r\ndefrag c: /u /v", MB_ICONEXCLAMATION},
        DefragCase{"SixtyFourBit", true, false, IDYES, "q", 0, "dfrgui.exe", nullptr, 0},
        DefragCase{"SixtyFourBitFails", true, false, IDYES, nullptr, 3, "dfrgui.exe",
                   "The disk defragmenter ended with exit code 3:\r\n\r\ndfrgui.exe", MB_ICONEXCLAMATION},
        // Wine has no dfrgui.
        DefragCase{"SixtyFourBitMissing", true, false, IDYES, nullptr, -1, nullptr,
                   "The disk defragmenter could not be started:\r\n\r\ndfrgui.exe", MB_ICONEXCLAMATION}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Processor Check -------------------------------------------------------------------

struct ProcessorCase {
  const char* name;
  std::function<void()> before;
  bool autoTune;
  bool writable;
};

class ProcessorCheck : public PerformanceIIPageTest, public testing::WithParamInterface<ProcessorCase> {
 protected:
  ScopedRegistryValues registry{{{HKEY_LOCAL_MACHINE, kSessionManager, {"ProcessorControl"}}}};
};

TEST_P(ProcessorCheck, WritesZeroWhateverWasThereWithoutLoadingThePage) {
  const ProcessorCase& c = GetParam();
  c.before();
  if (!c.autoTune) dialogs.AnswerMessageBox(IDOK);
  AutoTuneMode = c.autoTune;
  if (!c.writable) RegWriteAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  TakeAutoTuneFailures();
  Page().Command64_Click();
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;

  EXPECT_FALSE(Page().Loaded());
  EXPECT_FALSE(RestartNeeded);
  if (c.writable) {
    EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, kSessionManager, "ProcessorControl"), "dword:0");
  }
  const auto boxes = dialogs.MessageBoxes();
  if (c.autoTune) {
    EXPECT_TRUE(boxes.empty());
    // What the page would have said is handed to the Auto Tuner instead.
    EXPECT_EQ(TakeAutoTuneFailures().size(), c.writable ? 0u : 1u);
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  if (c.writable) {
    ExpectBox(boxes[0], LoadResString(529), MB_OK | MB_ICONINFORMATION);
  } else {
    ExpectBox(boxes[0],
              "The Processor Check Routine could not be enabled: this value could not be written "
              "to the registry:\r\n\r\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\"
              "Session Manager\\ProcessorControl",
              MB_OK | MB_ICONEXCLAMATION);
  }
}

void SetProcessorControl(DWORD type, const std::string& bytes) {
  platform::RegKey key(HKEY_LOCAL_MACHINE, kSessionManager, KEY_SET_VALUE | KEY_WOW64_64KEY);
  ASSERT_EQ(RegSetValueExA(key.Handle(), "ProcessorControl", 0, type,
                           reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProcessorCheck,
    testing::Values(
        ProcessorCase{"Missing", [] {}, false, true},
        ProcessorCase{"Text", [] { SetProcessorControl(REG_SZ, "2\0"s); }, false, true},
        ProcessorCase{"Two", [] { SetProcessorControl(REG_DWORD, "\2\0\0\0"s); }, false, true},
        ProcessorCase{"QuietInAutoTune", [] { SetProcessorControl(REG_SZ, "2\0"s); }, true, true},
        ProcessorCase{"NotWritable", [] {}, false, false},
        ProcessorCase{"NotWritableInAutoTune", [] {}, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
