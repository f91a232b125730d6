#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "password_fixture.h"
#include "shell/Pages.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/registry_fixture.h"

namespace {

class AboutBoxTest : public PasswordFixture {
 public:
  void SetUp() override {
    PasswordFixture::SetUp();
    frmmain->Show();
    ui::DoEvents();
  }
  bool MainVisible() { return IsWindowVisible(frmmain->hWnd()) != 0; }
  static std::string WindowText(HWND hwnd) {
    char buffer[256]{};
    SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  static void Click(HWND hwnd) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ui::DoEvents();
  }
};

struct EntryCase {
  const char* name;
  std::function<void()> open;
  bool ownedByMain;
  std::function<void()> close;
};

TEST_F(AboutBoxTest, OpensFromTheWidgetAndTheHelpMenuAndGivesTheMainWindowBack) {
  const EntryCase cases[] = {
      {"widget, OK", [] { frmmain->Image7_Click(3); }, true, [] { frmAbout->cmdOK->PerformClick(); }},
      {"widget, close box", [] { frmmain->Image7_Click(3); }, true,
       [] { SendMessageA(frmAbout->hWnd(), WM_CLOSE, 0, 0); }},
      {"help menu, OK", [] { frmmain->about_menu_Click(); }, false,
       [] { frmAbout->cmdOK->PerformClick(); }},
      {"help menu, Esc", [] { frmmain->about_menu_Click(); }, false,
       [] { PostMessageA(frmAbout->cmdOK->hWnd(), WM_KEYDOWN, VK_ESCAPE, 0); }},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.open();
    ui::DoEvents();
    EXPECT_TRUE(IsWindowVisible(frmAbout->hWnd()));
    EXPECT_EQ(GetWindow(frmAbout->hWnd(), GW_OWNER), c.ownedByMain ? frmmain->hWnd() : nullptr);
    EXPECT_EQ(MainVisible(), !c.ownedByMain);
    c.close();
    ui::DoEvents();
    EXPECT_FALSE(frmAbout->Loaded());
    EXPECT_TRUE(MainVisible());
    EXPECT_EQ(ui::LoadedFormCount(), 1);
  }
}

TEST_F(AboutBoxTest, ShowsTitleVersionCreditsAndLinksScaledLikeTheDescription) {
  frmmain->about_menu_Click();
  EXPECT_EQ(frmAbout->Caption(), "About Quenvor Pro");
  EXPECT_EQ(frmAbout->lblTitle->Caption(), "Quenvor Pro");
  EXPECT_EQ(frmAbout->lblVersion->Caption(), "Quenvor Pro 2.0");
  EXPECT_EQ(frmAbout->lblDescription->Caption(), "A tweaking program for Windows 7");
  EXPECT_EQ(frmAbout->Label1->Caption(), LoadResString(553));
  EXPECT_EQ(frmAbout->Label2->Caption(), LoadResString(82));
  EXPECT_EQ(frmAbout->Label4->Caption(), "Visit our website at:");
  EXPECT_EQ(frmAbout->cmdOK->Caption(), "OK");
  EXPECT_EQ(WindowText(frmAbout->mkcHyperLinks2->hWnd()), "Dallmoor Software Home Page");
  EXPECT_EQ(WindowText(frmAbout->mkcHyperLinks4->hWnd()), "https://quenvor.example/controls/");
  // The test screen is 1280 pixels wide: everything is enlarged, and both links take the
  // description's enlarged size.
  const float description = frmAbout->lblDescription->FontSize();
  EXPECT_GT(description, 9.0f);
  EXPECT_FLOAT_EQ(frmAbout->mkcHyperLinks2->FontSize(), description);
  EXPECT_FLOAT_EQ(frmAbout->mkcHyperLinks4->FontSize(), description);

  // Every showing starts afresh.
  frmAbout->lblVersion->SetCaption("changed");
  frmAbout->cmdOK->PerformClick();
  frmmain->about_menu_Click();
  EXPECT_EQ(frmAbout->lblVersion->Caption(), "Quenvor Pro 2.0");
}

TEST_F(AboutBoxTest, TheLinksAndThePictureOpenOurPagesThroughTheBrowserSeam) {
  frmmain->about_menu_Click();
  Click(frmAbout->mkcHyperLinks2->hWnd());
  Click(frmAbout->mkcHyperLinks4->hWnd());
  Click(frmAbout->Picture->hWnd());
  const std::vector<std::string> expected = {"https://quenvor.example/", "https://quenvor.example/controls/",
                                             "https://quenvor.example/community/"};
  EXPECT_EQ(browser.opened, expected);
  EXPECT_TRUE(frmAbout->Loaded());
  EXPECT_FALSE(frmAbout->Picture->ToolTipText().empty());
}

struct KeyValueCase {
  const char* name;
  std::function<void(platform::RegKey&)> arrange;
  bool read;
  std::string text;
};

TEST_F(AboutBoxTest, GetKeyValueReadsTextAndNumbers) {
  ScopedTestKey key;
  const KeyValueCase cases[] = {
      {"text", [](auto& k) { k.WriteString("V", "C:\\Tools\\info.exe"); }, true, "C:\\Tools\\info.exe"},
      {"number", [](auto& k) { k.WriteDword("V", 4000000000u); }, true, "4000000000"},
      {"missing value", [](auto&) {}, false, ""},
      {"other type", [](auto& k) { k.WriteBinary("V", {1, 2}); }, false, ""},
  };
  for (const KeyValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto k = platform::RegKey::Create(key.Root(), key.Path(), KEY_WOW64_64KEY);
    k.DeleteValue("V");
    c.arrange(k);
    std::string value = "left over";
    EXPECT_EQ(frmAbout->GetKeyValue(key.Root(), key.Path(), "V", value), c.read);
    EXPECT_EQ(value, c.text);
  }
  std::string value = "left over";
  EXPECT_FALSE(frmAbout->GetKeyValue(key.Root(), key.Sub("missing"), "V", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(frmAbout->Loaded());  // neither loads the form
}

TEST_F(AboutBoxTest, StartSysInfoSaysSoWhenTheToolIsUnavailable) {
  const char* kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
  // A fresh test prefix has neither value; the test leaves none behind.
  ASSERT_FALSE(platform::RegKey(HKEY_LOCAL_MACHINE, kInfoKey, KEY_QUERY_VALUE | kNative).Read("PATH"));
  ASSERT_FALSE(platform::RegKey(HKEY_LOCAL_MACHINE, kLocationKey, KEY_QUERY_VALUE | kNative).Read("MSINFO"));
  auto info = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kInfoKey, kNative);
  const std::pair<const char*, std::function<void()>> unavailable[] = {
      {"no path", [] {}},
      {"a path that does not exist", [&] { info.WriteString("PATH", "C:\\nowhere\\MSINFO32.EXE"); }},
  };
  for (const auto& [name, arrange] : unavailable) {
    SCOPED_TRACE(name);
    arrange();
    dialogs.AnswerMessageBox(IDOK);
    frmAbout->StartSysInfo();
    ASSERT_FALSE(dialogs.MessageBoxes().empty());
    const auto box = dialogs.MessageBoxes().back();
    EXPECT_EQ(box.text, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(box.coloured);
  }
  // A program that exits at once stands in for the tool: no message.
  char windows[MAX_PATH]{};
  GetWindowsDirectoryA(windows, MAX_PATH);
  info.WriteString("PATH", std::string(windows) + "\\system32\\rundll32.exe");
  size_t before = BoxCount();
  frmAbout->StartSysInfo();
  EXPECT_EQ(BoxCount(), before);
  info.DeleteValue("PATH");
}

}  // namespace
