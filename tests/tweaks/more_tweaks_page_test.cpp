// The More Tweaks page on real files and services: the temporary-folder cleaner with TEMP,
// TMP and windir pointed at scratch folders (and at what it must never empty), Process Idle
// Tasks with the Task Scheduler service (pointed at this test program: Wine's own cannot be
// stopped again once started) and a recorded rundll32, and the auto-tuning
// switch with a recorded netsh.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/seam.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"
#include "support/repointed_service.h"
#include "support/scoped_environment.h"
#include "support/test_service.h"
#include "tweaks/frmMoreTweaks.h"

namespace {

class MoreTweaksPageTest : public testing::Test {
 protected:
  void SetUp() override {
    AutoTuneMode = false;
    ASSERT_FALSE(frmMoreTweaks->Loaded());
  }
  void TearDown() override {
    CloseMainWindow();
    AutoTuneMode = false;
  }
  FrmMoreTweaks& Page() { return *frmMoreTweaks; }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.MessageBoxes()) {
      EXPECT_EQ(box.title, kAppTitle);
      EXPECT_TRUE(box.coloured);
      texts.push_back(box.text);
    }
    return texts;
  }
  std::string Path(const std::wstring& relative) { return Narrow(scratch.Sub(relative)); }
  // The folders the cleaner reads from TEMP, TMP and windir, for the test's length.
  void SetFolders(const std::wstring& temp, const std::wstring& tmp, const std::wstring& windir) {
    variables.clear();
    for (const auto& [name, value] : {std::pair{"TEMP", temp}, {"TMP", tmp}, {"windir", windir}})
      variables.push_back(std::make_unique<ScopedEnvironmentVariable>(name, Narrow(value).c_str()));
  }

  std::vector<std::unique_ptr<ScopedEnvironmentVariable>> variables;
  ScratchFolder scratch;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

// ---- the cleaner -----------------------------------------------------------------------

struct CleanCase {
  const char* name;
  bool showErrors;
  bool sameFolder;  // TMP names TEMP's folder
};

class CleaningUp : public MoreTweaksPageTest, public testing::WithParamInterface<CleanCase> {};

TEST_P(CleaningUp, EmptiesTheThreeFoldersAndKeepsWhatIsReadOnlyOrInUse) {
  const CleanCase& c = GetParam();
  SetFolders(scratch.Sub(L"user"), scratch.Sub(c.sameFolder ? L"user" : L"tmp"), scratch.Sub(L"win"));
  MakeFile(scratch.Sub(L"user\\a\\b\\deep.txt"));
  MakeFile(scratch.Sub(L"user\\kept\\locked.txt"), FILE_ATTRIBUTE_READONLY);
  MakeFile(scratch.Sub(L"user\\top.txt"));
  MakeFile(scratch.Sub(L"win\\Temp\\setup.log"));
  MakeFile(scratch.Sub(L"win\\system.ini"));  // beside the Windows Temp folder: not touched
  if (!c.sameFolder) MakeFile(scratch.Sub(L"tmp\\x\\y.txt"));
  const int passes = c.sameFolder ? 2 : 1;  // a folder named twice is cleaned twice
  if (c.showErrors)
    for (int i = 0; i < 2 * passes; ++i) dialogs.AnswerMessageBox(IDOK);
  dialogs.AnswerMessageBox(IDOK);
  Page().Check18->SetValue(c.showErrors ? 1 : 0);
  Page().Command37_Click();

  EXPECT_EQ(Exists(scratch.Sub(L"user\\kept\\locked.txt")), true);
  EXPECT_FALSE(Exists(scratch.Sub(L"user\\a")));
  EXPECT_FALSE(Exists(scratch.Sub(L"user\\top.txt")));
  EXPECT_FALSE(Exists(scratch.Sub(L"win\\Temp\\setup.log")));
  EXPECT_TRUE(Exists(scratch.Sub(L"win\\Temp"))) << "the folders themselves stay";
  EXPECT_TRUE(Exists(scratch.Sub(L"win\\system.ini")));
  EXPECT_TRUE(Exists(scratch.Sub(L"tmp")) || c.sameFolder);
  EXPECT_FALSE(Exists(scratch.Sub(L"tmp\\x")));

  std::vector<std::string> expected;
  for (int pass = 0; c.showErrors && pass < passes; ++pass) {
    expected.push_back(Path(L"user\\kept\\locked.txt") + ": " + platform::SystemErrorText(ERROR_ACCESS_DENIED));
    expected.push_back(Path(L"user\\kept") + ": " + platform::SystemErrorText(ERROR_DIR_NOT_EMPTY));
  }
  expected.push_back(LoadResString(617));
  EXPECT_EQ(Texts(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CleaningUp,
                         testing::Values(CleanCase{"ShowErrorsOff", false, false},
                                         CleanCase{"ShowErrorsOn", true, false},
                                         CleanCase{"TempIsTmp", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MoreTweaksPageTest, AMissingFolderIsMadeAndAFileHeldOpenIsReportedByItsPath) {
  SetFolders(scratch.Sub(L"user"), scratch.Sub(L"missing"), scratch.Sub(L"win"));
  MakeFolder(scratch.Sub(L"win"));
  MakeFile(scratch.Sub(L"user\\open.log"));
  HANDLE open = CreateFileW(scratch.Sub(L"user\\open.log").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  dialogs.AnswerMessageBox(IDOK);
  dialogs.AnswerMessageBox(IDOK);
  Page().Check18->SetValue(1);
  Page().Command37_Click();
  CloseHandle(open);

  EXPECT_TRUE(Exists(scratch.Sub(L"missing")));
  EXPECT_TRUE(Exists(scratch.Sub(L"win\\Temp")));
  EXPECT_EQ(Texts(), (std::vector<std::string>{
                         Path(L"user\\open.log") + ": " + platform::SystemErrorText(ERROR_SHARING_VIOLATION),
                         LoadResString(617)}));
  const auto boxes = dialogs.MessageBoxes();
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(MoreTweaksPageTest, TheAutoTunersCleanupRunsOnTheHiddenPageAndSaysNothing) {
  SetFolders(scratch.Sub(L"user"), scratch.Sub(L"user"), scratch.Sub(L"win"));
  MakeFile(scratch.Sub(L"user\\kept\\locked.txt"), FILE_ATTRIBUTE_READONLY);
  MakeFile(scratch.Sub(L"user\\gone.txt"));
  AutoTuneMode = true;
  Page().Command37_Click();

  EXPECT_TRUE(Page().Loaded());
  EXPECT_FALSE(Page().Visible());
  EXPECT_EQ(Page().Check18->Value(), 0);
  EXPECT_FALSE(Exists(scratch.Sub(L"user\\gone.txt")));
  EXPECT_TRUE(Exists(scratch.Sub(L"user\\kept\\locked.txt")));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(MoreTweaksPageTest, AnEmptyVariableOrADriveRootIsNamedAndNeverEmptied) {
  ASSERT_NE(GetLogicalDrives() & (1u << ('R' - 'A')), 0u) << "drive R: of tests/tweaks/prepare.sh is missing";
  MakeFile(L"R:\\canary.txt");
  MakeFile(L"R:\\folder\\inside.txt");
  // An empty TEMP makes "\", the root of the current drive; TMP names the drive itself.
  SetFolders(L"", L"R:", scratch.Sub(L"win"));
  MakeFolder(scratch.Sub(L"win"));
  wchar_t before[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(L"R:\\"));
  dialogs.AnswerMessageBox(IDOK);
  Page().Command37_Click();
  SetCurrentDirectoryW(before);

  EXPECT_TRUE(Exists(L"R:\\canary.txt"));
  EXPECT_TRUE(Exists(L"R:\\folder\\inside.txt"));
  EXPECT_TRUE(Exists(scratch.Sub(L"win\\Temp")));
  EXPECT_EQ(Texts(), std::vector<std::string>{"These temporary folders were not cleaned:\r\n"
                                              "\r\nTEMP (the variable is empty)"
                                              "\r\nR:\\ (a drive root)"});
  EXPECT_EQ(dialogs.MessageBoxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  RemoveTree(L"R:\\folder");
  RemoveTree(L"R:\\canary.txt");
}

TEST_F(MoreTweaksPageTest, TheProfileReachedThroughALinkIsNamedAndNothingOfItIsDeleted) {
  // C:\QuenvorFixtures\users is a host link to C:\users (prepare.sh), as "C:\Documents and
  // Settings" is on Windows: TEMP and TMP name the profile itself under that name.
  const std::wstring profile = platform::WideEnvironment(L"USERPROFILE");
  const std::wstring alias =
      L"C:\\QuenvorFixtures\\users\\" + profile.substr(profile.find_last_of(L'\\') + 1);
  ASSERT_TRUE(Exists(alias)) << "the link of tests/tweaks/prepare.sh is missing";
  const std::wstring canary = profile + L"\\Documents\\quenvor-canary.txt";
  MakeFile(canary);
  MakeFile(scratch.Sub(L"mine.txt"));  // the scratch folder is in the profile's Temp
  SetFolders(alias, alias, scratch.Sub(L"win"));
  MakeFile(scratch.Sub(L"win\\Temp\\setup.log"));
  dialogs.AnswerMessageBox(IDOK);
  Page().Check18->SetValue(1);
  Page().Command37_Click();

  EXPECT_TRUE(Exists(canary));
  EXPECT_TRUE(Exists(scratch.Sub(L"mine.txt")));
  EXPECT_FALSE(Exists(scratch.Sub(L"win\\Temp\\setup.log"))) << "the third folder is cleaned";
  const std::string line = Narrow(alias) + "\\ (it is the user profile " + Narrow(profile) + ")";
  EXPECT_EQ(Texts(),
            std::vector<std::string>{"These temporary folders were not cleaned:\r\n\r\n" + line + "\r\n" + line});
  EXPECT_EQ(dialogs.MessageBoxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  DeleteFileW(canary.c_str());
}

TEST_F(MoreTweaksPageTest, WhatALinkInTheTemporaryFolderPointsToStaysAndTheLinkIsNamed) {
  // prepare.sh: links to a folder, to a file and to an empty folder outside the temporary
  // folder, as a user of the machine may leave in C:\Windows\Temp.
  const std::wstring temp = L"C:\\QuenvorFixtures\\linked\\temp";
  const std::vector<std::wstring> targets{L"C:\\QuenvorFixtures\\linked\\canary\\keep.txt",
                                          L"C:\\QuenvorFixtures\\linked\\outside\\thesis.txt",
                                          L"C:\\QuenvorFixtures\\linked\\outside\\EmptyProject"};
  for (const std::wstring& target : targets)
    ASSERT_TRUE(Exists(target)) << "the link fixture of tests/tweaks/prepare.sh is missing";
  SetFolders(temp, temp, scratch.Sub(L"win"));
  MakeFile(temp + L"\\mine.txt");
  dialogs.AnswerMessageBox(IDOK);
  Page().Command37_Click();  // Show Errors clear: the links are named all the same

  for (const std::wstring& target : targets) EXPECT_TRUE(Exists(target)) << Narrow(target);
  EXPECT_FALSE(Exists(temp + L"\\mine.txt"));
  const std::vector<std::string> texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  const std::string head = LoadResString(617) +
                           "\r\n\r\nThese links in the temporary folders were left in place, and what they "
                           "point to was not touched:\r\n";
  EXPECT_EQ(texts[0].substr(0, head.size()), head) << texts[0];
  std::vector<std::string> named;
  for (size_t at = head.size(); at < texts[0].size();) {
    const size_t end = texts[0].find("\r\n", at + 2);
    named.push_back(texts[0].substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2));
    at = end == std::string::npos ? texts[0].size() : end;
  }
  std::sort(named.begin(), named.end());
  EXPECT_EQ(named, (std::vector<std::string>{Narrow(temp) + "\\emptylink", Narrow(temp) + "\\link",
                                             Narrow(temp) + "\\notes-link.txt"}));
  EXPECT_EQ(dialogs.MessageBoxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(MoreTweaksPageTest, CaptionsComeFromTheStringTable) {
  Page().Show();
  EXPECT_EQ(Page().Caption(), LoadResString(305));
  EXPECT_EQ(Page().Check18->Caption(), LoadResString(484));
  EXPECT_EQ(Page().Check18->ToolTipText(), LoadResString(810));
  EXPECT_EQ(Page().Command37->Caption(), LoadResString(56));
  EXPECT_EQ(Page().Check18->Value(), 0);
}

// ---- Process Idle Tasks ----------------------------------------------------------------

constexpr const char* kIdleTasks = "Rundll32.exe advapi32.dll,ProcessIdleTasks";

struct IdleCase {
  const char* name;
  DWORD startType;  // of "Schedule" before
  bool autoTune;
  int answer;       // to the question (0: none asked)
  DWORD startTypeAfter;
  bool ran;
  std::vector<int> shown;  // string ids
};

class IdleTasks : public MoreTweaksPageTest, public testing::WithParamInterface<IdleCase> {};

TEST_P(IdleTasks, StartsTheSchedulerWhenStoppedThenRunsTheTasksWhenAgreed) {
  const IdleCase& c = GetParam();
  const ServiceFacts before = ReadServiceFacts("Schedule");
  ASSERT_TRUE(before.exists);
  RepointedService schedule("Schedule", true);
  ASSERT_TRUE(ArrangeService("Schedule", c.startType, false));
  InstalledRecorder rundll32("C:\\windows\\system32\\rundll32.exe", false);
  AutoTuneMode = c.autoTune;
  if (c.answer) dialogs.AnswerMessageBox(c.answer);
  if (c.ran && !c.autoTune) dialogs.AnswerMessageBox(IDOK);
  Page().Command38_Click();

  const ServiceFacts after = ReadServiceFacts("Schedule");
  EXPECT_EQ(after.startType, c.startTypeAfter);
  EXPECT_EQ(after.state == SERVICE_RUNNING, c.startType != SERVICE_DISABLED);
  EXPECT_EQ(rundll32.CommandLines(), c.ran ? std::vector<std::string>{kIdleTasks} : std::vector<std::string>{});
  std::vector<std::string> expected;
  for (int id : c.shown) expected.push_back(LoadResString(id));
  EXPECT_EQ(Texts(), expected);
  if (c.answer) {
    EXPECT_EQ(dialogs.MessageBoxes()[0].style, static_cast<UINT>(MB_OKCANCEL | MB_ICONINFORMATION));
  }
  ArrangeService("Schedule", before.startType, false);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdleTasks,
    testing::Values(IdleCase{"StoppedThenOk", SERVICE_DEMAND_START, false, IDOK, SERVICE_AUTO_START, true, {61, 528}},
                    // Cancelled: the scheduler has been started all the same.
                    IdleCase{"StoppedThenCancel", SERVICE_DEMAND_START, false, IDCANCEL, SERVICE_AUTO_START, false,
                             {61}},
                    IdleCase{"DisabledIsLeftAlone", SERVICE_DISABLED, false, IDOK, SERVICE_DISABLED, true, {61, 528}},
                    IdleCase{"AutoTuner", SERVICE_DEMAND_START, true, 0, SERVICE_AUTO_START, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- auto-tuning -----------------------------------------------------------------------

struct TuningCase {
  const char* name;
  bool enable;
  DWORD exitCode;
  const char* command;
  std::string text;
};

class AutoTuningSwitch : public MoreTweaksPageTest, public testing::WithParamInterface<TuningCase> {};

TEST_P(AutoTuningSwitch, RunsNetshAndReportsByItsExitCode) {
  const TuningCase& c = GetParam();
  InstalledRecorder netsh("C:\\windows\\system32\\netsh.exe", false, c.exitCode);
  dialogs.AnswerMessageBox(IDOK);
  if (c.enable) Page().Command36_Click();
  else Page().Command40_Click();
  EXPECT_EQ(netsh.CommandLines(), std::vector<std::string>{c.command});
  EXPECT_EQ(Texts(), std::vector<std::string>{c.text.size() <= 3 ? LoadResString(std::stoi(c.text)) : c.text});
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, AutoTuningSwitch,
    testing::Values(TuningCase{"Enable", true, 0, "netsh int tcp set global autotuninglevel=normal", "622"},
                    TuningCase{"Disable", false, 0, "netsh int tcp set global autotuninglevel=disable", "621"},
                    TuningCase{"DisableFails", false, 1, "netsh int tcp set global autotuninglevel=disable",
                               "The command did not succeed:\r\n\r\nnetsh int tcp set global "
                               "autotuninglevel=disable\r\n\r\nExit code: 1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
