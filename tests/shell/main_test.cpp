#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/passwords/frmLogin.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

void SetPasswordSet(const DWORD* value) {
  platform::RegKey key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_WOW64_64KEY);
  if (value) key.WriteDword("Password Set", *value);
  else key.DeleteValue("Password Set");
}

class MainTest : public testing::Test {
 protected:
  void TearDown() override {
    SetPasswordSet(nullptr);
    frmLogin->Unload();
    CloseMainWindow();
  }
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(MainTest, MasksFollowTheSystemsWordSize) {
  struct Case {
    WORD architecture;
    REGSAM read, write;
  };
  const Case cases[] = {
      {PROCESSOR_ARCHITECTURE_AMD64, 0x101, 0x102},
      {PROCESSOR_ARCHITECTURE_IA64, 0x101, 0x102},
      {PROCESSOR_ARCHITECTURE_INTEL, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.architecture);
    facts.architecture = c.architecture;
    Main();
    EXPECT_EQ(RegReadAccess, c.read);
    EXPECT_EQ(RegWriteAccess, c.write);
    CloseMainWindow();
  }
}

TEST_F(MainTest, ThePasswordGateShowsThePromptOnlyForOne) {
  struct Case {
    const char* name;
    bool present;
    DWORD value;
    bool prompt;
  };
  const Case cases[] = {{"one", true, 1, true}, {"two", true, 2, false}, {"missing", false, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetPasswordSet(c.present ? &c.value : nullptr);
    Main();
    EXPECT_EQ(frmLogin->Loaded(), c.prompt);
    EXPECT_EQ(frmmain->Loaded(), !c.prompt);
    EXPECT_EQ(ui::LoadedFormCount(), 1);
    if (c.prompt) {
      EXPECT_TRUE(IsWindowVisible(frmLogin->hWnd()));
      EXPECT_EQ(GetWindow(frmLogin->hWnd(), GW_OWNER), nullptr);
      frmLogin->Unload();
    } else {
      EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
      EXPECT_EQ(GetWindow(frmmain->hWnd(), GW_OWNER), nullptr);
      CloseMainWindow();
    }
  }
}

TEST_F(MainTest, MessageBoxesTakeTheWindowBackgroundColour) {
  const int index = COLOR_WINDOW;
  const COLORREF original = GetSysColor(index);
  const COLORREF shade = RGB(255, 250, 240);
  SetSysColors(1, &index, &shade);
  Main();
  SetSysColors(1, &index, &original);
  EXPECT_EQ(MsgBoxShadeR, 255);
  EXPECT_EQ(MsgBoxShadeG, 250);
  EXPECT_EQ(MsgBoxShadeB, 240);
  EXPECT_EQ(MsgBoxShade(), shade);
}

}  // namespace
