// Starting and stopping the services Windows Update needs, on the real service manager of
// the test prefix: the real "wuauserv" and "BITS" and a stand-in "wscsvc" (the prefix has
// none). Wine's own BITS may or may not start: each test points BITS at this test program
// (which runs) or at a program that is not there (which cannot start) for its length.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/seam.h"
#include "platform/service_control.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/repointed_service.h"
#include "support/test_service.h"
#include "tweaks/WindowsUpdateServices.h"
#include "tweaks/frmShellTweaks.h"

namespace {

constexpr const char* kWuapp = "C:\\windows\\system32\\wuapp.exe";

// Puts the real services back as the test found them.
class WindowsUpdateServicesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"wuauserv", "BITS"}) {
      ServiceFacts facts = ReadServiceFacts(name);
      ASSERT_TRUE(facts.exists) << name;
      saved_.push_back({name, facts});
    }
  }
  void TearDown() override {
    for (const auto& [name, facts] : saved_)
      ArrangeService(name, facts.startType, facts.state == SERVICE_RUNNING);
  }

  // The three services as they stand: "name:<start type>/<running|stopped|missing>".
  static std::string States() {
    std::string s;
    for (const char* name : {"wuauserv", "wscsvc", "BITS"}) {
      ServiceFacts facts = ReadServiceFacts(name);
      s += std::string(name) + ":";
      s += facts.exists ? std::to_string(facts.startType) + (facts.state == SERVICE_RUNNING ? "/running " : "/stopped ")
                        : "missing ";
    }
    return s;
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  platform::ServiceControl control;

 private:
  std::vector<std::pair<std::string, ServiceFacts>> saved_;
};

const std::string kQuestion = "\r\n\r\nWould you like to go to the Windows Update website?";

struct StartCase {
  const char* name;
  bool wscsvc;     // the stand-in exists
  bool bitsRuns;   // BITS is pointed at the test program, or at a missing program
  int answer;
  bool wuapp;      // wuapp.exe is there
  const char* states;
  std::string question;
  UINT icon;
  bool wuappStarted;
};

class StartingThem : public WindowsUpdateServicesTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartingThem, SetsThemAutomaticStartsThemAndOffersWindowsUpdate) {
  const StartCase& c = GetParam();
  ASSERT_TRUE(ArrangeService("wuauserv", SERVICE_DISABLED, false));
  std::unique_ptr<ScopedTestService> wscsvc;
  if (c.wscsvc) wscsvc = std::make_unique<ScopedTestService>("wscsvc", SERVICE_DISABLED);
  RepointedService bits("BITS", c.bitsRuns);
  std::unique_ptr<InstalledRecorder> wuapp;
  if (c.wuapp) wuapp = std::make_unique<InstalledRecorder>(kWuapp, false);

  dialogs.AnswerMessageBox(c.answer);
  if (c.answer == IDYES && !c.wuapp) dialogs.AnswerMessageBox(IDOK);
  StartWindowsUpdateServices(control);

  EXPECT_EQ(States(), c.states);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_GE(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, c.question == "541" ? LoadResString(541) : c.question);
  EXPECT_EQ(boxes[0].title, LoadResString(496));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | c.icon));
  EXPECT_TRUE(boxes[0].coloured);
  if (c.wuapp) {
    if (c.wuappStarted) ASSERT_TRUE(wuapp->WaitForStart());
    EXPECT_EQ(wuapp->CommandLines(), c.wuappStarted ? std::vector<std::string>{"wuapp.exe"}
                                                    : std::vector<std::string>{});
  }
  if (c.answer == IDYES && !c.wuapp) {
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text,
              "Windows Update (wuapp.exe) could not be started:\r\n\r\n" +
                  platform::SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  } else {
    EXPECT_EQ(boxes.size(), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartingThem,
    testing::Values(
        StartCase{"AllStartedYes", true, true, IDYES, true,
                  "wuauserv:2/running wscsvc:2/running BITS:2/running ", "541", MB_ICONQUESTION, true},
        StartCase{"AllStartedNo", true, true, IDNO, true,
                  "wuauserv:2/running wscsvc:2/running BITS:2/running ", "541", MB_ICONQUESTION, false},
        StartCase{"WuappMissing", true, true, IDYES, false,
                  "wuauserv:2/running wscsvc:2/running BITS:2/running ", "541", MB_ICONQUESTION, false},
        // A BITS that cannot start, and no wscsvc: each is named, and Windows Update is
        // still offered.
        StartCase{"FailuresNamed", false, false, IDYES, true, "wuauserv:2/running wscsvc:missing BITS:2/stopped ",
                  "Not every service required by Windows Update could be started:\r\n"
                  "\r\nwscsvc: not set to start automatically, not started\r\nBITS: not started" + kQuestion,
                  MB_ICONEXCLAMATION, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct StopCase {
  const char* name;
  bool wscsvc;
  const char* states;
  std::string message;
  UINT icon;
};

class StoppingThem : public WindowsUpdateServicesTest, public testing::WithParamInterface<StopCase> {};

TEST_P(StoppingThem, DisablesAndStopsThemAndSaysWhatFailed) {
  const StopCase& c = GetParam();
  RepointedService bits("BITS", true);
  ASSERT_TRUE(ArrangeService("BITS", SERVICE_AUTO_START, true));
  ASSERT_TRUE(ArrangeService("wuauserv", SERVICE_AUTO_START, true));
  std::unique_ptr<ScopedTestService> wscsvc;
  if (c.wscsvc) {
    wscsvc = std::make_unique<ScopedTestService>("wscsvc", SERVICE_AUTO_START);
    ASSERT_TRUE(ArrangeService("wscsvc", SERVICE_AUTO_START, true));
  }

  dialogs.AnswerMessageBox(IDOK);
  StopWindowsUpdateServices(control);

  EXPECT_EQ(States(), c.states);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, c.message == "542" ? LoadResString(542) : c.message);
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | c.icon));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoppingThem,
    testing::Values(
        StopCase{"AllStopped", true, "wuauserv:4/stopped wscsvc:4/stopped BITS:4/stopped ", "542",
                 MB_ICONINFORMATION},
        StopCase{"MissingServiceNamed", false, "wuauserv:4/stopped wscsvc:missing BITS:4/stopped ",
                 "Not every service required by Windows Update could be stopped and disabled:\r\n"
                 "\r\nwscsvc: not disabled, not stopped",
                 MB_ICONEXCLAMATION}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST_F(WindowsUpdateServicesTest, TheShellTweaksButtonsStopThenStartThemOnThePagesServiceControl) {
  RepointedService bits("BITS", true);
  ScopedTestService wscsvc("wscsvc", SERVICE_DEMAND_START);
  dialogs.AnswerMessageBox(IDOK);
  frmShellTweaks->Command46_Click();
  EXPECT_EQ(States(), "wuauserv:4/stopped wscsvc:4/stopped BITS:4/stopped ");
  dialogs.AnswerMessageBox(IDNO);
  frmShellTweaks->Command45_Click();
  EXPECT_EQ(States(), "wuauserv:2/running wscsvc:2/running BITS:2/running ");
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(542));
  EXPECT_EQ(boxes[1].text, LoadResString(541));
  CloseMainWindow();
}

}  // namespace
