#include <gtest/gtest.h>

#include "platform/seam.h"
#include "shell/Pages.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

class ExitTest : public testing::Test {
 protected:
  void SetUp() override { frmmain->Show(); }
  void TearDown() override {
    RestartNeeded = false;
    CloseMainWindow();
  }
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(ExitTest, WithoutChangesTheMainWindowSaysSo) {
  dialogs.AnswerMessageBox(IDOK);
  SendMessageA(frmmain->hWnd(), WM_CLOSE, 0, 0);
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  const auto& box = dialogs.Calls()[0];
  EXPECT_EQ(box.kind, FakeDialogs::Kind::MessageBox);
  EXPECT_EQ(box.text, "There were no changes saved in the registry.");
  EXPECT_EQ(box.title, "Quenvor Pro");
  EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_TRUE(box.coloured);
  EXPECT_FALSE(frmmain->Loaded());
}

TEST_F(ExitTest, AfterAChangeTheRestartIsOfferedWithoutForcingProgramsClosed) {
  RestartNeeded = true;
  HWND main = frmmain->hWnd();
  dialogs.AnswerRestart(0);  // the user refuses
  frmmain->mnu_exit_Click();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  const auto& restart = dialogs.Calls()[0];
  EXPECT_EQ(restart.kind, FakeDialogs::Kind::Restart);
  EXPECT_EQ(restart.owner, main);
  EXPECT_EQ(restart.text, "");  // the system's own text
  EXPECT_EQ(restart.flags, static_cast<DWORD>(EWX_REBOOT));
  EXPECT_TRUE(restart.coloured);
  EXPECT_FALSE(frmmain->Loaded());
}

TEST_F(ExitTest, ClosingTheMainWindowEndsTheProgramWithHiddenPagesLoaded) {
  frmPerformance->Hide();  // left loaded and hidden, as the Auto Tuner leaves pages
  frmAbout->Show();        // opened from the Help menu, without owner
  ASSERT_EQ(ui::LoadedFormCount(), 3);
  dialogs.AnswerMessageBox(IDOK);
  PostMessageA(frmmain->hWnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ui::RunMessageLoop(), 0);  // the loop ends: nothing is left loaded
  EXPECT_EQ(ui::LoadedFormCount(), 0);
  EXPECT_FALSE(frmmain->Loaded());  // no page brought the main window back
}

}  // namespace
