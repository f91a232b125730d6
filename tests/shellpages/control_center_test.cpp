// The Control Center: its links, what each one starts (recorded by the launcher seam, and
// once for real from the native System32), a tool that cannot be started, and the Windows
// Update link on the prefix's real service manager.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../tweaks/recorder.h"
#include "maintenance/frmControl.h"
#include "platform/launcher.h"
#include "platform/process.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fake_launcher.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/repointed_service.h"
#include "support/test_service.h"

namespace {

// Every link: the element of mkcHyperLinks1 (-1 for mkcHyperLinks2), its caption's string,
// and what a click starts: the file and its parameters ("" file: nothing).
struct LinkCase {
  int index;
  int caption;
  const char* file;
  const char* parameters;
};
constexpr LinkCase kLinks[] = {
    {0, 667, "winver.exe", ""},
    {1, 671, "msinfo32.exe", ""},
    {2, 682, "iexpress.exe", ""},
    {3, 674, "taskmgr.exe", ""},
    {4, 672, "dxdiag.exe", ""},
    {7, 681, "verifier.exe", ""},
    {8, 677, "perfmon.exe", ""},
    {9, 673, "msconfig.exe", ""},
    {10, 670, "OptionalFeatures.exe", ""},
    {11, 669, "control.exe", "inetcpl.cpl"},
    {12, 684, "control.exe", "system"},
    {14, 678, "control.exe", "appwiz.cpl"},
    {15, 683, "eventvwr.exe", ""},
    {16, 679, "compmgmt.msc", ""},
    {17, 676, "rstrui.exe", ""},
    {18, 675, "msra.exe", ""},
    {20, 668, "cleanmgr.exe", ""},
    {-1, 680, "", ""},
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ControlCenterTest : public testing::Test {
 protected:
  void TearDown() override { CloseMainWindow(); }

  FrmControl& Page() { return *frmControl; }
  ui::HyperLink& Link(int index) { return index < 0 ? *Page().mkcHyperLinks2 : Page().mkcHyperLinks1[index]; }
  // A user's click on the link's window.
  void Click(ui::HyperLink& link) {
    SendMessageA(link.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(link.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ui::DoEvents();
  }

  FakeSystemFacts facts;  // a screen of 1280 x 1024 at 96 DPI, 64-bit Windows
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

class ControlCenterLinksTest : public ControlCenterTest {
 protected:
  FakeLauncher launcher;
  platform::Override<platform::Launcher> useLauncher{launcher};
};

TEST_F(ControlCenterLinksTest, OpensWithItsEighteenLinksAndChangesNothing) {
  Page().Show();
  EXPECT_EQ(Page().Caption(), LoadResString(686));
  EXPECT_EQ(Page().Frame9->Caption(), LoadResString(685));
  EXPECT_EQ(Page().Command1->Caption(), LoadResString(64));
  EXPECT_EQ(Page().mkcHyperLinks1.Indices(),
            (std::vector<int>{0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 20}));
  for (const LinkCase& c : kLinks) {
    SCOPED_TRACE(c.index);
    char text[128] = {};
    GetWindowTextA(Link(c.index).hWnd(), text, sizeof text);
    EXPECT_EQ(text, LoadResString(c.caption));
    EXPECT_TRUE(IsWindowVisible(Link(c.index).hWnd()));
  }
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(ControlCenterLinksTest, TheLinksTakeTheFramesScaledFontSize) {
  Page().Show();
  const float scaled = 8 * static_cast<float>((1.25 + 1024.0 / 768) / 2.2);
  EXPECT_FLOAT_EQ(Page().Frame9->FontSize(), scaled);
  for (const LinkCase& c : kLinks) EXPECT_FLOAT_EQ(Link(c.index).FontSize(), scaled) << c.index;
}

TEST_F(ControlCenterLinksTest, EachLinkStartsItsToolFromTheNativeSystemFoldersOn64BitWindows) {
  const std::pair<WORD, bool> machines[] = {{PROCESSOR_ARCHITECTURE_AMD64, true},
                                            {PROCESSOR_ARCHITECTURE_INTEL, false}};
  for (const auto& [architecture, native] : machines) {
    SCOPED_TRACE(native ? "64-bit Windows" : "32-bit Windows");
    facts.architecture = architecture;
    Page().Show();
    for (const LinkCase& c : kLinks) {
      SCOPED_TRACE(c.index);
      if (c.index < 0) {
        EXPECT_EQ(Link(c.index).Target(), "") << "the Windows Update link starts nothing itself";
        continue;
      }
      launcher.opened.clear();
      Click(Link(c.index));
      ASSERT_EQ(launcher.opened.size(), 1u);
      EXPECT_EQ(launcher.opened[0].file, c.file);
      EXPECT_EQ(launcher.opened[0].parameters, c.parameters);
      EXPECT_EQ(launcher.opened[0].nativeSystemFolders, native);
    }
    EXPECT_TRUE(Page().Loaded());
    Page().Command1_Click();
  }
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(ControlCenterLinksTest, AToolThatCannotBeStartedIsReported) {
  launcher.error = ERROR_FILE_NOT_FOUND;
  Page().Show();
  dialogs.AnswerMessageBox(IDOK);
  Click(Page().mkcHyperLinks1[9]);
  ExpectOnlyMessageBox(dialogs,
                       LoadResString(673) + " (msconfig.exe) could not be started:\r\n\r\n" +
                           platform::SystemErrorText(ERROR_FILE_NOT_FOUND),
                       MB_OK | MB_ICONEXCLAMATION);
  EXPECT_TRUE(Page().Loaded());
}

TEST_F(ControlCenterTest, ToolsAreStartedFromTheNativeSystem32AndMissingOnesReported) {
  const std::string tool = "C:\\windows\\system32\\msconfig.exe";
  ASSERT_FALSE(Exists(tool)) << "the prefix has no msconfig.exe";
  InstalledRecorder msconfig(tool, true);
  ASSERT_TRUE(msconfig.Installed());
  ASSERT_FALSE(Exists(tool)) << "placed in the native System32 only, out of sight of 32-bit programs";
  ASSERT_FALSE(Exists("C:\\windows\\system32\\perfmon.exe"));

  Page().Show();
  Click(Page().mkcHyperLinks1[9]);
  ASSERT_TRUE(msconfig.WaitForStart());
  const std::vector<std::string> lines = msconfig.CommandLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(Lower(lines[0]).find("msconfig.exe"), std::string::npos) << lines[0];
  EXPECT_TRUE(dialogs.MessageBoxes().empty());

  dialogs.AnswerMessageBox(IDOK);
  Click(Page().mkcHyperLinks1[8]);
  ExpectOnlyMessageBox(dialogs,
                       LoadResString(677) + " (perfmon.exe) could not be started:\r\n\r\n" +
                           platform::SystemErrorText(ERROR_FILE_NOT_FOUND),
                       MB_OK | MB_ICONEXCLAMATION);
}

// The Windows Update link on the real "wuauserv" and "BITS" and a stand-in "wscsvc" (the
// prefix has none), with wuapp.exe recorded.
struct UpdateCase {
  const char* name;
  int answer;
  std::vector<std::string> wuapp;
};

class WindowsUpdateLink : public ControlCenterTest, public testing::WithParamInterface<UpdateCase> {
 protected:
  void SetUp() override {
    for (const char* name : {"wuauserv", "BITS"}) saved_.push_back({name, ReadServiceFacts(name)});
  }
  void TearDown() override {
    ControlCenterTest::TearDown();
    for (const auto& [name, facts] : saved_) ArrangeService(name, facts.startType, facts.state == SERVICE_RUNNING);
  }
  static std::string States() {
    std::string s;
    for (const char* name : {"wuauserv", "wscsvc", "BITS"}) {
      const ServiceFacts facts = ReadServiceFacts(name);
      s += std::string(name) + ":" + std::to_string(facts.startType) +
           (facts.state == SERVICE_RUNNING ? "/running " : "/stopped ");
    }
    return s;
  }

 private:
  std::vector<std::pair<std::string, ServiceFacts>> saved_;
};

TEST_P(WindowsUpdateLink, StartsTheServicesThenOffersWindowsUpdate) {
  const UpdateCase& c = GetParam();
  RepointedService bits("BITS", true);
  ScopedTestService wscsvc("wscsvc", SERVICE_DISABLED);
  ASSERT_TRUE(ArrangeService("wuauserv", SERVICE_DISABLED, false));
  ASSERT_TRUE(ArrangeService("BITS", SERVICE_DISABLED, false));
  InstalledRecorder wuapp("C:\\windows\\system32\\wuapp.exe", false);
  FakeLauncher launcher;
  platform::Override<platform::Launcher> useLauncher{launcher};

  Page().Show();
  dialogs.AnswerMessageBox(c.answer);
  Click(*Page().mkcHyperLinks2);

  EXPECT_EQ(States(), "wuauserv:2/running wscsvc:2/running BITS:2/running ");
  ExpectOnlyMessageBox(dialogs, LoadResString(541), MB_YESNO | MB_ICONQUESTION, LoadResString(496));
  if (!c.wuapp.empty()) {
    ASSERT_TRUE(wuapp.WaitForStart());
  }
  EXPECT_EQ(wuapp.CommandLines(), c.wuapp);
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_TRUE(Page().Loaded());
  EXPECT_TRUE(IsWindowVisible(Page().hWnd()));
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowsUpdateLink,
                         testing::Values(UpdateCase{"Yes", IDYES, {"wuapp.exe"}}, UpdateCase{"No", IDNO, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
