// Running a system tool and reporting how it went, with the tool replaced by a recorder
// that exits with the code the test chooses.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/seam.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "support/fakes.h"
#include "tweaks/RunAndReport.h"

namespace {

constexpr const char* kNetsh = "netsh int tcp set global autotuninglevel=normal";

struct ReportCase {
  const char* name;
  DWORD exitCode;
  UINT style;  // the caller's box style
  std::string text;
  UINT shown;  // the style of the box shown
};

class RunAndReport : public testing::TestWithParam<ReportCase> {};

TEST_P(RunAndReport, TheToolsMessageOnlyForExitCodeZero) {
  const ReportCase& c = GetParam();
  InstalledRecorder netsh("C:\\windows\\system32\\netsh.exe", false, c.exitCode);
  ASSERT_TRUE(netsh.Installed());
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  dialogs.AnswerMessageBox(IDOK);

  RunHiddenCommandAndReport(kNetsh, "Done.", c.style);

  // The command has ended before the box: it was waited for.
  EXPECT_EQ(netsh.CommandLines(), std::vector<std::string>{kNetsh});
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, c.text);
  EXPECT_EQ(boxes[0].style, c.shown);
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_TRUE(boxes[0].coloured);
}

const std::string kFailed = std::string("The command did not succeed:\r\n\r\n") + kNetsh + "\r\n\r\nExit code: ";

INSTANTIATE_TEST_SUITE_P(
    ExitCodes, RunAndReport,
    testing::Values(
        ReportCase{"Succeeded", 0, MB_ICONINFORMATION, "Done.", MB_OK | MB_ICONINFORMATION},
        ReportCase{"SucceededSystemModal", 0, 4160, "Done.", 4160},
        ReportCase{"Failed", 1, MB_ICONINFORMATION, kFailed + "1", MB_OK | MB_ICONEXCLAMATION},
        ReportCase{"FailedSystemModal", 1, 4160, kFailed + "1", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL},
        ReportCase{"FailedWithALargeCode", 3221225477u, MB_ICONINFORMATION, kFailed + "3221225477",
                   MB_OK | MB_ICONEXCLAMATION}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunAndReportMissing, AToolThatCannotStartIsNamedWithTheSystemsReason) {
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  dialogs.AnswerMessageBox(IDOK);
  RunHiddenCommandAndReport("C:\\no\\such\\tool.exe -h on", "Done.", 4160);

  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "The command could not be started:\r\n\r\nC:\\no\\such\\tool.exe -h on\r\n\r\n" +
                platform::SystemErrorText(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}

}  // namespace
