#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "password_fixture.h"
#include "shell/Pages.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"

namespace {

constexpr char kTitle[] = "Quenvor Pro";
constexpr char kMismatch[] = "The passwords entered do not match.  Please try again.";

class PasswordDialogTest : public PasswordFixture {
 public:
  void SetUp() override {
    PasswordFixture::SetUp();
    frmmain->Show();
    ui::DoEvents();
  }
  // Opens a dialog as the main window's menu does ("Password Set" is read first).
  void OpenCreate() {
    frmmain->mnu_createpass_Click();
    ASSERT_TRUE(frmcreatepass->Loaded());
  }
  void OpenChange() {
    frmmain->mnu_changepass_Click();
    ASSERT_TRUE(frmchangepass->Loaded());
  }
  void OpenRemove() {
    frmmain->mnu_rempassword_Click();
    ASSERT_TRUE(frmremovepass->Loaded());
  }
  void Create(const std::string& first, const std::string& second) {
    frmcreatepass->txtUserName->SetText(first);
    frmcreatepass->txtPassword->SetText(second);
    frmcreatepass->cmdOK->PerformClick();
  }
  void Change(const std::string& old, const std::string& first, const std::string& second) {
    frmchangepass->txtUserName->SetText(old);
    frmchangepass->txtPassword->SetText(first);
    frmchangepass->Text1->SetText(second);
    frmchangepass->cmdOK->PerformClick();
  }
  void Remove(const std::string& typed) {
    frmremovepass->txtPassword->SetText(typed);
    frmremovepass->cmdOK->PerformClick();
  }
  bool MainVisible() { return IsWindowVisible(frmmain->hWnd()) != 0; }
};

// ---- what every dialog has

struct DialogCase {
  const char* name;
  std::function<void()> open;
  std::function<ui::Form&()> form;
  const char* caption;
  std::vector<std::pair<int, std::string>> labels;  // lblLabels index, caption
  std::vector<const char*> boxes;                    // top to bottom
};

TEST_F(PasswordDialogTest, EachDialogHasItsRowsAndOkCancelKeys) {
  const DialogCase cases[] = {
      {"create", [this] { OpenCreate(); }, []() -> ui::Form& { return *frmcreatepass; }, "Create Password",
       {{0, "Type password"}, {1, "Retype password"}}, {"txtUserName", "txtPassword"}},
      {"change", [this] { StoreHashed("old"); OpenChange(); }, []() -> ui::Form& { return *frmchangepass; },
       "Change Password",
       {{0, "Enter old Password"}, {1, "Enter New Password"}, {2, "Retype New Password"}},
       {"txtUserName", "txtPassword", "Text1"}},
      {"remove", [this] { StoreHashed("old"); OpenRemove(); }, []() -> ui::Form& { return *frmremovepass; },
       "Remove Password", {{1, "&Password:"}}, {"txtPassword"}},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.open();
    ui::DoEvents();
    ui::Form& f = c.form();
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    EXPECT_EQ(GetWindow(f.hWnd(), GW_OWNER), frmmain->hWnd());
    EXPECT_TRUE(MainVisible());
    EXPECT_EQ(f.Caption(), c.caption);
    for (const auto& [index, text] : c.labels) EXPECT_EQ(f.Get<ui::Label>("lblLabels", index).Caption(), text);
    for (const char* box : c.boxes) {
      auto& t = f.Get<ui::TextBox>(box);
      EXPECT_EQ(t.MaxLength(), 254) << box;
      EXPECT_EQ(SendMessageA(t.hWnd(), EM_GETPASSWORDCHAR, 0, 0), '*') << box;
    }
    EXPECT_EQ(GetFocus(), f.Get<ui::TextBox>(c.boxes[0]).hWnd());
    auto& ok = f.Get<ui::CommandButton>("cmdOK");
    auto& cancel = f.Get<ui::CommandButton>("cmdCancel");
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_EQ(cancel.Caption(), "Cancel");
    // Enter presses OK: with every box empty each dialog answers with its first check.
    const size_t before = BoxCount();
    dialogs.AnswerMessageBox(IDOK);
    PostMessageA(f.Get<ui::TextBox>(c.boxes[0]).hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    ui::DoEvents();
    EXPECT_TRUE(f.Loaded());
    EXPECT_EQ(BoxCount(), before + 1);
    // Esc presses Cancel, which closes the dialog and changes nothing.
    const auto stored = StoredPassword();
    PostMessageA(f.Get<ui::TextBox>(c.boxes[0]).hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    ui::DoEvents();
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(MainVisible());
    EXPECT_EQ(StoredPassword(), stored);
    TearDown();
    SetUp();
  }
}

// ---- create

TEST_F(PasswordDialogTest, CreateStoresASaltedHashAndSetsTheSwitch) {
  OpenCreate();
  dialogs.AnswerMessageBox(IDOK);
  Create(" My p\xE4ss ", " My p\xE4ss ");
  ExpectBox(0, "Password successfully set.", kTitle, MB_ICONINFORMATION);
  EXPECT_FALSE(frmcreatepass->Loaded());
  EXPECT_TRUE(MainVisible());
  ExpectHashOf(" My p\xE4ss ");  // blanks kept
  EXPECT_FALSE(PasswordMatches("My p\xE4ss", StoredPassword()));
}

TEST_F(PasswordDialogTest, CreateRefusesAMismatchThenABlankPassword) {
  OpenCreate();
  dialogs.AnswerMessageBox(IDOK);
  Create("one", "One");
  ExpectBox(0, kMismatch, "Passwords Don't Match", MB_ICONINFORMATION);
  EXPECT_EQ(frmcreatepass->txtUserName->Text(), "");
  EXPECT_EQ(frmcreatepass->txtPassword->Text(), "");

  const std::string blanks[] = {"", "   "};
  for (const std::string& blank : blanks) {
    dialogs.AnswerMessageBox(IDOK);
    Create(blank, blank);
    ExpectBox(BoxCount() - 1, "You cannot set a blank password!", kTitle, MB_ICONEXCLAMATION);
    EXPECT_EQ(frmcreatepass->txtPassword->Text(), blank);  // kept
  }
  // A mismatch is reported before a blank.
  dialogs.AnswerMessageBox(IDOK);
  Create("", " ");
  EXPECT_EQ(LastBoxText(), kMismatch);

  EXPECT_TRUE(frmcreatepass->Loaded());
  EXPECT_FALSE(StoredPassword());
  EXPECT_FALSE(PasswordSet());
}

// ---- change

TEST_F(PasswordDialogTest, ChangeChecksTheOldPasswordThenTheMatchThenBlanks) {
  StoreHashed("old");
  const std::string stored = *StoredPassword();
  OpenChange();

  dialogs.AnswerMessageBox(IDOK);
  Change("OLD", "", "");  // a wrong old password comes first, even before blank new ones
  ExpectBox(0, "Incorrect password!", kTitle, MB_ICONINFORMATION);
  EXPECT_EQ(frmchangepass->txtUserName->Text(), "");

  dialogs.AnswerMessageBox(IDOK);
  Change("old", "new", "New");
  ExpectBox(1, kMismatch, "Passwords Don't Match", MB_ICONINFORMATION);
  EXPECT_EQ(frmchangepass->txtUserName->Text(), "old");
  EXPECT_EQ(frmchangepass->txtPassword->Text(), "");
  EXPECT_EQ(frmchangepass->Text1->Text(), "");

  dialogs.AnswerMessageBox(IDOK);
  Change("old", "  ", "  ");
  ExpectBox(2, "You cannot set a blank password!", kTitle, MB_ICONEXCLAMATION);
  EXPECT_EQ(frmchangepass->Text1->Text(), "  ");

  EXPECT_TRUE(frmchangepass->Loaded());
  EXPECT_EQ(StoredPassword(), stored);
}

TEST_F(PasswordDialogTest, ChangeStoresTheNewPasswordAsAHashAlsoOverAnOlderValue) {
  const std::pair<const char*, std::function<void()>> starts[] = {
      {"hash", [] { StoreHashed("abc"); }},
      {"older value", [] { StoreScrambled("klm"); }},
  };
  for (const auto& [name, arrange] : starts) {
    SCOPED_TRACE(name);
    arrange();
    OpenChange();
    dialogs.AnswerMessageBox(IDOK);
    Change("abc", "n\xE9w one", "n\xE9w one");
    ExpectBox(BoxCount() - 1, "Password successfully changed.", kTitle, MB_ICONINFORMATION);
    EXPECT_FALSE(frmchangepass->Loaded());
    ExpectHashOf("n\xE9w one");
    EXPECT_FALSE(PasswordMatches("abc", StoredPassword()));
    TearDown();
    SetUp();
  }
}

// ---- remove

TEST_F(PasswordDialogTest, RemoveNeedsThePasswordAndDeletesBothValues) {
  StoreScrambled("klm");
  OpenRemove();
  dialogs.AnswerMessageBox(IDOK);
  Remove("ABC");
  ExpectBox(0, "Incorrect Password.  Please try again.", "Incorrect Password", MB_ICONINFORMATION);
  EXPECT_EQ(frmremovepass->txtPassword->Text(), "");
  EXPECT_EQ(StoredPassword(), std::optional<std::string>("klm"));
  EXPECT_EQ(PasswordSet(), std::optional<DWORD>(1));

  dialogs.AnswerMessageBox(IDOK);
  Remove("abc");
  ExpectBox(1, "Password protection successfully removed!", kTitle, MB_ICONINFORMATION);
  EXPECT_FALSE(frmremovepass->Loaded());
  EXPECT_FALSE(Value("Password"));
  EXPECT_FALSE(Value("Password Set"));
}

TEST_F(PasswordDialogTest, RemoveFinishesWhenOneValueIsAlreadyGone) {
  StoreHashed("abc");
  OpenRemove();
  DeleteValue("Password Set");
  dialogs.AnswerMessageBox(IDOK);
  Remove("abc");
  EXPECT_EQ(LastBoxText(), "Password protection successfully removed!");
  EXPECT_FALSE(Value("Password"));
}

// ---- failures are reported as failures

struct FailureCase {
  const char* name;
  std::function<void(PasswordDialogTest&)> open;  // with the values as they are before
  std::function<void()> fail;                     // makes the registry refuse
  std::function<void(PasswordDialogTest&)> press;
  std::function<ui::Form&()> form;
  std::string message;
  bool keyMissing = false;
};

TEST_F(PasswordDialogTest, AFailedWriteKeepsTheDialogOpenWithOurMessageAndNoSuccess) {
  const std::string missing = "the settings key HKEY_LOCAL_MACHINE\\Software\\Dallmoor Software\\Quenvor "
                              "does not exist.  Reinstall Quenvor Pro to restore it.";
  const std::string refused = "the settings could not be written to the registry (error 5).";
  const FailureCase cases[] = {
      {"create, key missing", [](auto& t) { t.OpenCreate(); }, [] { DeleteSettingsKey(); },
       [](auto& t) { t.Create("abc", "abc"); }, []() -> ui::Form& { return *frmcreatepass; },
       "Setting the password failed: " + missing, true},
      {"create, key refuses writes", [](auto& t) { t.OpenCreate(); }, [] { MakeSettingsUnwritable(); },
       [](auto& t) { t.Create("abc", "abc"); }, []() -> ui::Form& { return *frmcreatepass; },
       "Setting the password failed: " + refused},
      {"change, key refuses writes", [](auto& t) { StoreScrambled("klm"); t.OpenChange(); },
       [] { MakeSettingsUnwritable(); }, [](auto& t) { t.Change("abc", "xyz", "xyz"); },
       []() -> ui::Form& { return *frmchangepass; }, "Changing the password failed: " + refused},
      {"remove, key refuses writes", [](auto& t) { StoreScrambled("klm"); t.OpenRemove(); },
       [] { MakeSettingsUnwritable(); }, [](auto& t) { t.Remove("abc"); },
       []() -> ui::Form& { return *frmremovepass; }, "Removing the password failed: " + refused},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.open(*this);
    const auto password = StoredPassword();
    const auto set = PasswordSet();
    c.fail();
    const size_t before = BoxCount();
    dialogs.AnswerMessageBox(IDOK);
    c.press(*this);
    ASSERT_EQ(BoxCount(), before + 1);  // ours, and no success message after it
    ExpectBox(before, c.message, kTitle, MB_ICONEXCLAMATION);
    EXPECT_TRUE(c.form().Loaded());
    EXPECT_EQ(StoredPassword(), password);
    EXPECT_EQ(PasswordSet(), set);
    EXPECT_EQ(SettingsKeyExists(), !c.keyMissing);  // a missing key is not created
    TearDown();
    SetUp();
  }
}

}  // namespace
