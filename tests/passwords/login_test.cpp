#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "password_fixture.h"
#include "shell/Strings.h"
#include "shell/passwords/frmLogin.h"
#include "shell/frmmain.h"

namespace {

class LoginTest : public PasswordFixture {
 protected:
  // Starts the program as Main does; with "Password Set" = 1 the prompt is its only form.
  void Start() {
    Main();
    ui::DoEvents();
    ASSERT_TRUE(frmLogin->Loaded());
    ASSERT_FALSE(frmmain->Loaded());
    ASSERT_EQ(ui::LoadedFormCount(), 1);
  }
  // Types the text and presses OK; true when the main window took the prompt's place.
  bool TryPassword(const std::string& typed) {
    frmLogin->txtPassword->SetText(typed);
    frmLogin->cmdOK->PerformClick();
    ui::DoEvents();
    return !frmLogin->Loaded() && frmmain->Loaded();
  }
};

TEST_F(LoginTest, TheRightPasswordUnloadsThePromptAndShowsTheMainWindowWithoutOwner) {
  StoreHashed("Open sesame");
  Start();
  EXPECT_TRUE(IsWindowVisible(frmLogin->hWnd()));
  EXPECT_EQ(GetWindow(frmLogin->hWnd(), GW_OWNER), nullptr);
  EXPECT_EQ(frmLogin->Caption(), "Quenvor Login");
  EXPECT_EQ(frmLogin->lblLabels[1].Caption(), "&Password:");
  EXPECT_EQ(frmLogin->txtPassword->MaxLength(), 254);

  ASSERT_TRUE(TryPassword("Open sesame"));
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_EQ(GetWindow(frmmain->hWnd(), GW_OWNER), nullptr);
  EXPECT_EQ(ui::LoadedFormCount(), 1);
  EXPECT_EQ(BoxCount(), 0u);
}

struct PromptCase {
  const char* name;
  std::function<void()> arrange;
  std::string typed;
  bool opens;
  int extraBoxes = 0;  // boxes shown before "Incorrect Password!" (Decrypt's error)
};

TEST_F(LoginTest, OnlyTheExactStoredPasswordOpens) {
  const std::string longScrambled(300, 'k');  // 300 x "a", longer than older versions read back
  const PromptCase cases[] = {
      {"hash, right", [] { StoreHashed("Secret"); }, "Secret", true},
      {"hash, other case", [] { StoreHashed("Secret"); }, "secret", false},
      {"hash, empty entry", [] { StoreHashed("Secret"); }, "", false},
      {"hash, with a blank", [] { StoreHashed("Secret"); }, "Secret ", false},
      {"older value, right", [] { StoreScrambled("klm"); }, "abc", true},
      {"older value, other case", [] { StoreScrambled("klm"); }, "ABC", false},
      {"older value keeps its blanks", [] { StoreScrambled("*k*"); }, " a ", true},
      {"older value without its blanks", [] { StoreScrambled("*k*"); }, "a", false},
      {"older empty value, empty entry", [] { StoreScrambled(""); }, "", true},
      {"older empty value, blanks", [] { StoreScrambled(""); }, "  ", false},
      {"older value too long for the old buffer", [&] { StoreScrambled(longScrambled); },
       std::string(254, 'a'), false},
      {"older value that cannot be unscrambled", [] { StoreScrambled("\x05kl"); }, "", false, 1},
      {"value missing", [] { Settings().WriteDword("Password Set", 1); }, "", false},
      {"value of another type",
       [] {
         Settings().WriteDword("Password", 0);
         Settings().WriteDword("Password Set", 1);
       },
       "", false},
      {"malformed hash record", [] { StoreScrambled("$qh1$00$00"); }, "", false},
  };
  for (const PromptCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    Start();
    size_t before = BoxCount();
    for (int i = 0; i <= c.extraBoxes; ++i)
      if (!c.opens) dialogs.AnswerMessageBox(IDOK);
    bool opened = TryPassword(c.typed);
    EXPECT_EQ(opened, c.opens);
    if (!c.opens) {
      EXPECT_TRUE(IsWindowVisible(frmLogin->hWnd()));
      EXPECT_EQ(frmLogin->txtPassword->Text(), "");
      ASSERT_EQ(BoxCount(), before + 1 + c.extraBoxes);
      ExpectBox(BoxCount() - 1, "Incorrect Password!", "Quenvor Pro", MB_ICONEXCLAMATION);
    } else {
      EXPECT_EQ(BoxCount(), before);
    }
    TearDown();
    SetUp();
  }
}

TEST_F(LoginTest, WrongTriesAreUnlimitedAndTheRightOneStillOpens) {
  StoreScrambled("klm");
  Start();
  for (int i = 0; i < 3; ++i) {
    dialogs.AnswerMessageBox(IDOK);
    EXPECT_FALSE(TryPassword("wrong"));
  }
  EXPECT_EQ(BoxCount(), 3u);
  EXPECT_TRUE(TryPassword("abc"));
}

TEST_F(LoginTest, CancelEndsTheProgram) {
  StoreHashed("Secret");
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"Cancel button", [] { frmLogin->cmdCancel->PerformClick(); }},
      {"Esc", [] { PostMessageA(frmLogin->txtPassword->hWnd(), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [] { PostMessageA(frmLogin->hWnd(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& [name, cancel] : ways) {
    SCOPED_TRACE(name);
    Start();
    cancel();
    ui::DoEvents();
    EXPECT_EQ(ui::LoadedFormCount(), 0);
    EXPECT_FALSE(frmmain->Loaded());
  }
  EXPECT_EQ(ui::RunMessageLoop(), 0);  // the program's loop ends at once
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(LoginTest, EnterPressesOkAndTheFocusStartsInTheBox) {
  StoreHashed("Secret");
  Start();
  EXPECT_EQ(GetFocus(), frmLogin->txtPassword->hWnd());
  frmLogin->txtPassword->SetText("Secret");
  PostMessageA(frmLogin->txtPassword->hWnd(), WM_KEYDOWN, VK_RETURN, 0);
  ui::DoEvents();
  EXPECT_FALSE(frmLogin->Loaded());
  EXPECT_TRUE(frmmain->Loaded());
}

TEST_F(LoginTest, WithoutPasswordSetTheMainWindowOpensDirectly) {
  Settings().WriteDword("Password Set", 2);
  Main();
  ui::DoEvents();
  EXPECT_FALSE(frmLogin->Loaded());
  EXPECT_TRUE(frmmain->Loaded());
}

}  // namespace
