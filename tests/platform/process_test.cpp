// Starting programs for real under Wine. The child is this test program itself (see
// test_child.h), which reports how it was started.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "platform/process.h"
#include "support/test_child.h"

namespace {

std::string UniqueName(const char* what) {
  static int counter = 0;
  return std::string("QuenvorTest.") + what + "." + std::to_string(GetCurrentProcessId()) + "." +
         std::to_string(++counter);
}

TEST(StartHidden, StartsHiddenAndReturnsWithoutWaiting) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string report = std::string(temp) + UniqueName("report") + ".txt";
  std::string releaseName = UniqueName("release"), doneName = UniqueName("done");
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, doneName.c_str());
  ASSERT_TRUE(release && done);

  // The child holds on until it is released, so a starter that waited for it would only
  // return after the child gave up waiting, and the child would report released=0.
  ASSERT_TRUE(platform::StartHidden("\"" + TestProgramPath() + "\" --report-startup \"" + report +
                                    "\" " + releaseName + " " + doneName));
  SetEvent(release);
  ASSERT_EQ(WaitForSingleObject(done, 60000), WAIT_OBJECT_0) << "the child never finished";

  std::ifstream in(report);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "flags=" + std::to_string(STARTF_USESHOWWINDOW) + " show=" +
                      std::to_string(SW_HIDE) + " released=1");
  in.close();
  DeleteFileA(report.c_str());
  CloseHandle(release);
  CloseHandle(done);
}

TEST(StartHidden, MissingProgramIsReported) {
  EXPECT_FALSE(platform::StartHidden("C:\\no\\such\\program.exe /x"));
}

}  // namespace
