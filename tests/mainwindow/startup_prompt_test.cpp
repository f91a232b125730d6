#include <gtest/gtest.h>

#include <wbemcli.h>

#include <optional>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/FRMsysRestore.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fake_restore_points.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

DWORD RestorSet() {
  return platform::RegKey(HKEY_CURRENT_USER, kSettingsKey, KEY_QUERY_VALUE | KEY_WOW64_64KEY)
      .ReadDword("RestorSet", 0xDEAD);
}

class StartupPromptTest : public testing::Test {
 protected:
  void SetUp() override {
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
    platform::RegKey(HKEY_CURRENT_USER, kSettingsKey, KEY_SET_VALUE | KEY_WOW64_64KEY).DeleteValue("RestorSet");
  }
  void TearDown() override {
    CloseMainWindow();
    platform::RegKey::Create(HKEY_CURRENT_USER, kSettingsKey, KEY_WOW64_64KEY).WriteDword("RestorSet", 1);
  }
  void ExpectQuestion(const FakeDialogs::Call& call) {
    EXPECT_EQ(call.text,
              "It is recommended that you set a restore point before using Quenvor.  Would you like to set a restore point?");
    EXPECT_EQ(call.title, "Quenvor Pro");
    EXPECT_EQ(call.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(call.coloured);
  }
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeRestorePoints points;
  platform::Override<platform::RestorePoints> usePoints{points};
};

TEST_F(StartupPromptTest, NoIsRememberedAndTheQuestionNotAskedAgain) {
  dialogs.AnswerMessageBox(IDNO);
  frmmain->Show();
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  ExpectQuestion(dialogs.MessageBoxes()[0]);
  EXPECT_TRUE(points.requests.empty());
  EXPECT_EQ(RestorSet(), 1u);
  CloseMainWindow();
  frmmain->Show();  // no box scripted: a second question would fail the test
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
}

TEST_F(StartupPromptTest, YesCreatesAPointBeforeTheMainWindowShows) {
  bool mainVisibleDuringCreation = true;
  points.onCreate = [&] { mainVisibleDuringCreation = IsWindowVisible(frmmain->hWnd()) != 0; };
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);  // the result of the creation
  frmmain->Show();
  ASSERT_EQ(points.requests.size(), 1u);
  EXPECT_EQ(points.requests[0].description, LoadResString(607));
  EXPECT_EQ(points.requests[0].type, 12);
  EXPECT_FALSE(mainVisibleDuringCreation);
  EXPECT_FALSE(FRMsysRestore->Loaded());
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_TRUE(ShowMainAfterRestore);
  EXPECT_EQ(RestorSet(), 1u);
}

TEST_F(StartupPromptTest, AFailedCreationIsNotAskedAgainEither) {
  points.createResult = {static_cast<HRESULT>(WBEM_E_FAILED), std::nullopt};
  dialogs.AnswerMessageBox(IDYES);
  dialogs.AnswerMessageBox(IDOK);
  frmmain->Show();
  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  EXPECT_NE(dialogs.MessageBoxes()[1].text.find("not created"), std::string::npos);
  EXPECT_FALSE(FRMsysRestore->LastCreateSucceeded);
  EXPECT_EQ(RestorSet(), 1u);
}

TEST_F(StartupPromptTest, AMissingUserSettingsKeyIsCreatedToKeepTheAnswer) {
  platform::RegKey::DeleteKey(HKEY_CURRENT_USER, kSettingsKey, KEY_WOW64_64KEY);
  dialogs.AnswerMessageBox(IDNO);
  frmmain->Show();
  EXPECT_EQ(RestorSet(), 1u);
}

}  // namespace
