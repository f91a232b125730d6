// Starting programs for real under Wine. The child is this test program itself (see
// test_child.h), which reports how it was started.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <string>

#include "platform/process.h"
#include "support/test_child.h"

namespace {

std::string UniqueName(const char* what) {
  static int counter = 0;
  return std::string("QuenvorTest.") + what + "." + std::to_string(GetCurrentProcessId()) + "." +
         std::to_string(++counter);
}

// Starts the reporting child through `start` (given its command line), releases it once
// `start` has returned, and gives the line it reported ("" when it never finished). The
// child holds on until it is released, so a starter that waited for it to end would only
// return after the child gave up waiting, and the child would report released=0.
std::string ChildReport(const std::function<void(const std::string&)>& start) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string report = std::string(temp) + UniqueName("report") + ".txt";
  const std::string releaseName = UniqueName("release"), doneName = UniqueName("done");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, doneName.c_str());
  start("\"" + TestProgramPath() + "\" --report-startup \"" + report + "\" " + releaseName + " " + doneName);
  SetEvent(release);
  std::string line;
  if (WaitForSingleObject(done, 60000) == WAIT_OBJECT_0) {
    std::ifstream in(report);
    std::getline(in, line);
  }
  DeleteFileA(report.c_str());
  CloseHandle(release);
  CloseHandle(done);
  return line;
}

std::string Shown(int show) {
  return "flags=" + std::to_string(STARTF_USESHOWWINDOW) + " show=" + std::to_string(show) + " released=1";
}

TEST(StartHidden, StartsHiddenAndReturnsWithoutWaiting) {
  EXPECT_EQ(ChildReport([](const std::string& line) { ASSERT_TRUE(platform::StartHidden(line)); }),
            Shown(SW_HIDE));
}

TEST(StartHidden, MissingProgramIsReported) {
  EXPECT_FALSE(platform::StartHidden("C:\\no\\such\\program.exe /x"));
}

TEST(RunProcess, WaitsForTheExitCodeOrReportsWhyNot) {
  platform::ProcessRun exited = platform::RunProcess("cmd.exe /c exit 7", SW_HIDE, 30000);
  EXPECT_TRUE(exited.started);
  EXPECT_TRUE(exited.finished);
  EXPECT_EQ(exited.exitCode, 7u);

  platform::ProcessRun missing = platform::RunProcess("C:\\no\\such\\program.exe", SW_HIDE, 30000);
  EXPECT_FALSE(missing.started);
  EXPECT_EQ(missing.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(missing.finished);
}

TEST(RunProcess, AProgramStillRunningAfterTheWaitIsNotFinished) {
  EXPECT_EQ(ChildReport([](const std::string& line) {
              platform::ProcessRun run = platform::RunProcess(line, SW_SHOWMINIMIZED, 200);
              EXPECT_TRUE(run.started);
              EXPECT_FALSE(run.finished);
            }),
            Shown(SW_SHOWMINIMIZED));
}

TEST(SystemErrorText, TheSystemsTextWithoutItsLineBreak) {
  const std::string text = platform::SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  // A code the system has no text for.
  EXPECT_EQ(platform::SystemErrorText(0x20001234), "Error 536875572");
}

}  // namespace
