#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <functional>
#include <string>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/MouseWheel.h"
#include "shell/Pages.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

// The settings key as an installer leaves it, in the native view.
void WriteSetting(const char* name, DWORD value) {
  platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_WOW64_64KEY).WriteDword(name, value);
}
void DeleteSetting(const char* name) {
  platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_SET_VALUE | KEY_WOW64_64KEY).DeleteValue(name);
}
DWORD ReadSetting(const char* name) {
  return platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | KEY_WOW64_64KEY)
      .ReadDword(name, 0xDEAD);
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
    DeleteSetting("SoundsEnabled");
    DeleteSetting("Password Set");
    frmmain->Show();
    ui::DoEvents();
  }
  void TearDown() override {
    CloseMainWindow();
    frmmain->ScrollbarSelect = 0;
    frmmain->scroll1 = frmmain->scroll2 = frmmain->scroll3 = 0;
    SoundsDisabled = false;
  }
  bool MainVisible() { return IsWindowVisible(frmmain->hWnd()) != 0; }
  void Wheel(int notches) {
    SendMessageA(frmmain->hWnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120 * notches), MAKELPARAM(10, 10));
  }
  // Where the inner panel stands at a scroll value (the form is scaled to the screen).
  static float ExpectedTop(ui::PictureBox& outer, ui::PictureBox& inner, int value) {
    return static_cast<float>(-((inner.Height() - outer.Height()) * value / 100.0));
  }

  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(MainWindowTest, CategoriesKeepTheirOwnScrollPosition) {
  frmmain->VScroll1->SetValue(30);
  EXPECT_EQ(frmmain->scroll1, 30);
  EXPECT_FLOAT_EQ(frmmain->Picture5->Top(), ExpectedTop(*frmmain->Picture6, *frmmain->Picture5, 30));

  frmmain->Image3_Click(1);
  EXPECT_EQ(frmmain->ScrollbarSelect, 1);
  EXPECT_EQ(frmmain->VScroll1->Value(), 0);
  EXPECT_TRUE(frmmain->Picture7->Visible());
  EXPECT_FALSE(frmmain->Picture6->Visible());
  EXPECT_FALSE(frmmain->Picture6->Enabled());
  EXPECT_EQ(frmmain->Frame54->Caption(), LoadResString(293));
  frmmain->VScroll1->SetValue(100);
  EXPECT_FLOAT_EQ(frmmain->Picture8->Top(), ExpectedTop(*frmmain->Picture7, *frmmain->Picture8, 100));

  frmmain->Image3_Click(3);
  EXPECT_FALSE(frmmain->VScroll1->Visible());
  EXPECT_EQ(frmmain->ScrollbarSelect, 1);  // Passwords does not scroll
  EXPECT_EQ(frmmain->Frame54->Caption(), LoadResString(339));

  frmmain->Image3_Click(0);
  EXPECT_TRUE(frmmain->VScroll1->Visible());
  EXPECT_EQ(frmmain->VScroll1->Value(), 30);
  EXPECT_EQ(frmmain->scroll2, 100);
  EXPECT_TRUE(frmmain->Picture6->Visible());
}

TEST_F(MainWindowTest, TheWheelMovesTenStepsAndStopsAtTheEnds) {
  ASSERT_EQ(MouseWheelHookedForm(), &*frmmain);
  Wheel(-1);  // away from the user at the top
  EXPECT_EQ(frmmain->VScroll1->Value(), 0);
  Wheel(1);
  EXPECT_EQ(frmmain->VScroll1->Value(), 10);
  for (int i = 0; i < 12; ++i) Wheel(1);
  EXPECT_EQ(frmmain->VScroll1->Value(), 100);
  Wheel(-1);
  EXPECT_EQ(frmmain->VScroll1->Value(), 90);
}

TEST_F(MainWindowTest, WithPasswordsShownTheWheelScrollsTheLastScrollableCategory) {
  frmmain->Image3_Click(2);
  frmmain->Image3_Click(3);
  Wheel(1);
  Wheel(1);
  EXPECT_EQ(frmmain->scroll3, 20);
  EXPECT_FLOAT_EQ(frmmain->Picture9->Top(), ExpectedTop(*frmmain->Picture2, *frmmain->Picture9, 20));
  frmmain->Image3_Click(2);
  EXPECT_EQ(frmmain->VScroll1->Value(), 20);
}

TEST_F(MainWindowTest, NoWheelHookWhileAPageIsActive) {
  frmmain->Image4_Click(0);
  ui::DoEvents();
  EXPECT_EQ(MouseWheelHookedForm(), nullptr);
  frmPerformance->Unload();
  ui::DoEvents();
  EXPECT_EQ(MouseWheelHookedForm(), &*frmmain);
}

struct WidgetCase {
  const char* name;
  std::function<void(int)> click;
  int index;
  std::function<ui::Form&()> page;
  bool mainStays;
  int messages = 0;  // boxes the page shows on opening in the test prefix, answered OK
};

TEST_F(MainWindowTest, EveryWidgetOpensItsPage) {
  auto tweaks = [](int i) { frmmain->Image4_Click(i); };
  auto maint = [](int i) { frmmain->Image5_Click(i); };
  auto security = [](int i) { frmmain->Image6_Click(i); };
  auto passwords = [](int i) { frmmain->Image7_Click(i); };
  const WidgetCase cases[] = {
      {"Performance", tweaks, 0, []() -> ui::Form& { return *frmPerformance; }, false},
      {"Performance II", tweaks, 1, []() -> ui::Form& { return *frmPerformanceII; }, false},
      {"Startup Manager", tweaks, 2, []() -> ui::Form& { return *frmStartupManager; }, false},
      {"More Tweaks", tweaks, 3, []() -> ui::Form& { return *frmMoreTweaks; }, false},
      {"Internet Explorer", tweaks, 4, []() -> ui::Form& { return *frmInternetExplorer; }, false},
      {"Auto Tuner", tweaks, 7, []() -> ui::Form& { return *frmOneButton; }, true},
      {"Miscellaneous", tweaks, 8, []() -> ui::Form& { return *frmMiscellaneous; }, false},
      {"Shell Tweaks", tweaks, 9, []() -> ui::Form& { return *frmShellTweaks; }, false},
      {"Service Manager", tweaks, 10, []() -> ui::Form& { return *frmServices; }, false},
      {"Disk Usage", maint, 0, []() -> ui::Form& { return *frmDiskUsage; }, false},
      {"Disk Cleaner", maint, 1, []() -> ui::Form& { return *frmDiskCleaner; }, false},
      {"Shared DLLs", maint, 2, []() -> ui::Form& { return *frmSharedDLLs; }, false},
      {"Shell Browser", maint, 3, []() -> ui::Form& { return *frmShellBrowser; }, false},
      {"Control Center", maint, 4, []() -> ui::Form& { return *frmControl; }, false},
      {"System Info", maint, 5, []() -> ui::Form& { return *frmSystemInformation; }, false},
      {"Toolbox", maint, 6, []() -> ui::Form& { return *frmToolBox; }, false},
      {"Restore Points", maint, 7, []() -> ui::Form& { return *FRMsysRestore; }, false},
      {"Start Menu", security, 0, []() -> ui::Form& { return *frmStartMenu; }, false},
      {"System", security, 1, []() -> ui::Form& { return *frmSystem; }, false},
      {"Desktop", security, 2, []() -> ui::Form& { return *frmDesktop; }, false},
      {"Control Panel", security, 3, []() -> ui::Form& { return *frmControlPanel; }, false},
      {"Login", security, 4, []() -> ui::Form& { return *frmLoginAuth; }, false},
      {"Firewall", security, 6, []() -> ui::Form& { return *frmFirewall; }, false, 1},  // no firewall service
      {"Lock-down", security, 7, []() -> ui::Form& { return *frmLockDown; }, false},
      {"UAC", security, 8, []() -> ui::Form& { return *frmUAC; }, false},
      {"Create Password", passwords, 0, []() -> ui::Form& { return *frmcreatepass; }, true},
      {"About", passwords, 3, []() -> ui::Form& { return *frmAbout; }, false},
  };
  for (const WidgetCase& c : cases) {
    SCOPED_TRACE(c.name);
    sound.played.clear();
    for (int i = 0; i < c.messages; ++i) dialogs.AnswerMessageBox(IDOK);
    c.click(c.index);
    ui::Form& page = c.page();
    EXPECT_TRUE(page.Loaded());
    EXPECT_TRUE(IsWindowVisible(page.hWnd()));
    EXPECT_EQ(GetWindow(page.hWnd(), GW_OWNER), frmmain->hWnd());
    EXPECT_EQ(MainVisible(), c.mainStays);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].path, AppPath() + "\\click2.wav");
    SendMessageA(page.hWnd(), WM_CLOSE, 0, 0);
    ui::DoEvents();
    EXPECT_TRUE(MainVisible());
    EXPECT_EQ(ui::LoadedFormCount(), 1);
  }
}

TEST_F(MainWindowTest, WidgetIndicesThatAreNotListedDoNothing) {
  frmmain->Image4_Click(5);
  frmmain->Image6_Click(5);
  frmmain->Image5_Click(8);
  EXPECT_TRUE(MainVisible());
  EXPECT_EQ(ui::LoadedFormCount(), 1);
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(MainWindowTest, CategoryAndWidgetSoundsStopWhileDisabled) {
  frmmain->Image3_Click(1);
  ASSERT_EQ(sound.played.size(), 1u);
  EXPECT_EQ(sound.played[0].path, AppPath() + "\\click1.wav");
  EXPECT_EQ(sound.played[0].flags, static_cast<UINT>(SND_ASYNC));

  frmmain->Check1->SetValue(1);
  EXPECT_EQ(ReadSetting("SoundsEnabled"), 2u);
  EXPECT_TRUE(SoundsDisabled);
  frmmain->Image3_Click(0);
  frmmain->Image5_Click(0);
  EXPECT_EQ(sound.played.size(), 1u);

  frmmain->Check1->SetValue(0);
  EXPECT_EQ(ReadSetting("SoundsEnabled"), 1u);
  frmmain->Image3_Click(0);
  EXPECT_EQ(sound.played.size(), 2u);
}

TEST_F(MainWindowTest, TheSoundsSettingIsReadAtLoadWithoutWritingIt) {
  CloseMainWindow();
  WriteSetting("SoundsEnabled", 2);
  frmmain->Show();
  EXPECT_TRUE(SoundsDisabled);
  EXPECT_EQ(frmmain->Check1->Value(), 1);
  CloseMainWindow();
  DeleteSetting("SoundsEnabled");
  frmmain->Show();
  EXPECT_FALSE(SoundsDisabled);
  EXPECT_EQ(ReadSetting("SoundsEnabled"), 0xDEADu);  // nothing written
}

TEST_F(MainWindowTest, AMissingSettingsKeyIsCreatedSoTheSoundChoiceIsKept) {
  platform::RegKey::DeleteKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_WOW64_64KEY);
  ASSERT_FALSE(platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | KEY_WOW64_64KEY));
  frmmain->Check1->SetValue(1);
  EXPECT_EQ(ReadSetting("SoundsEnabled"), 2u);
  // Created in the same view, not under Wow6432Node.
  EXPECT_FALSE(platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_QUERY_VALUE | KEY_WOW64_32KEY));
}

struct MenuCase {
  const char* name;
  DWORD passwordSet;
  void (FrmMain::*item)();
  int message;  // 0: the dialog opens instead
  std::function<ui::Form&()> dialog;
};

TEST_F(MainWindowTest, PasswordItemsFollowThePasswordSetValue) {
  const MenuCase cases[] = {
      {"create, set", 1, &FrmMain::mnu_createpass_Click, 8, []() -> ui::Form& { return *frmcreatepass; }},
      {"create, none", 0, &FrmMain::mnu_createpass_Click, 0, []() -> ui::Form& { return *frmcreatepass; }},
      {"create, other value", 2, &FrmMain::mnu_createpass_Click, 0, []() -> ui::Form& { return *frmcreatepass; }},
      {"change, set", 1, &FrmMain::mnu_changepass_Click, 0, []() -> ui::Form& { return *frmchangepass; }},
      {"change, none", 0, &FrmMain::mnu_changepass_Click, 9, []() -> ui::Form& { return *frmchangepass; }},
      {"remove, set", 1, &FrmMain::mnu_rempassword_Click, 0, []() -> ui::Form& { return *frmremovepass; }},
      {"remove, none", 0, &FrmMain::mnu_rempassword_Click, 10, []() -> ui::Form& { return *frmremovepass; }},
  };
  for (const MenuCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteSetting("Password Set", c.passwordSet);
    size_t before = dialogs.MessageBoxes().size();
    if (c.message) dialogs.AnswerMessageBox(IDOK);
    ((*frmmain).*c.item)();
    if (c.message) {
      ASSERT_EQ(dialogs.MessageBoxes().size(), before + 1);
      const auto box = dialogs.MessageBoxes().back();  // a copy: MessageBoxes() returns a new vector
      EXPECT_EQ(box.text, LoadResString(c.message));
      EXPECT_EQ(box.title, "Quenvor Pro");
      EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
      EXPECT_TRUE(box.coloured);
      EXPECT_FALSE(c.dialog().Loaded());
    } else {
      EXPECT_TRUE(IsWindowVisible(c.dialog().hWnd()));
      EXPECT_EQ(GetWindow(c.dialog().hWnd(), GW_OWNER), frmmain->hWnd());
      c.dialog().Unload();
    }
    EXPECT_TRUE(MainVisible());
  }
}

TEST_F(MainWindowTest, AboutFromTheMenuHasNoOwnerAndLeavesTheMainWindow) {
  frmmain->about_menu_Click();
  EXPECT_TRUE(IsWindowVisible(frmAbout->hWnd()));
  EXPECT_EQ(GetWindow(frmAbout->hWnd(), GW_OWNER), nullptr);
  EXPECT_TRUE(MainVisible());
  frmmain->restore_menu_Click();
  EXPECT_EQ(GetWindow(FRMsysRestore->hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_TRUE(MainVisible());
}

// The version of the program file, as the system reads it from the file.
std::string FileVersion() {
  char path[MAX_PATH]{};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeA(path, &ignored), '\0');
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (block.empty() || !GetFileVersionInfoA(path, 0, block.size(), block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length))
    return "unreadable";
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS));
}

TEST_F(MainWindowTest, TheCaptionCarriesTheVersion) {
  EXPECT_EQ(frmmain->Caption(), "Quenvor Pro 2.0");
  EXPECT_EQ(frmmain->Label21->Caption(), "Quenvor Pro 2.0");
  char text[64]{};
  GetWindowTextA(frmmain->hWnd(), text, sizeof text);
  EXPECT_STREQ(text, "Quenvor Pro 2.0");
  // One version: the file's own, in the caption and in the about box alike.
  EXPECT_EQ(frmmain->Caption(), "Quenvor Pro " + FileVersion());
  frmmain->about_menu_Click();
  EXPECT_EQ(frmAbout->lblVersion->Caption(), frmmain->Caption());
}

TEST_F(MainWindowTest, PauseLetsEventsRun) {
  bool ran = false;
  frmmain->Timer1->Tick = [&] { ran = true; };
  frmmain->Timer1->SetInterval(1);
  frmmain->Pause(1);
  EXPECT_TRUE(ran);
  frmmain->Pause(0);  // one pass
}

// Every widget's label shows its text whole inside its panel, centred on its picture where
// the panel leaves room for that; on a screen the window keeps its design size and on one
// it is scaled to.
TEST_F(MainWindowTest, WidgetLabelsShowWholeAndCentredOnTheirPictures) {
  struct Widget {
    const char* images;
    int index;
    const char* labels;
    int element;
    const char* panel;
  };
  const Widget widgets[] = {
      {"Image4", 7, "Label22", 2, "Picture5"},  {"Image4", 0, "Label22", 0, "Picture5"},
      {"Image4", 1, "Label22", 1, "Picture5"},  {"Image4", 2, "Label22", 3, "Picture5"},
      {"Image4", 8, "Label22", 4, "Picture5"},  {"Image4", 9, "Label22", 5, "Picture5"},
      {"Image4", 3, "Label22", 8, "Picture5"},  {"Image4", 10, "Label22", 7, "Picture5"},
      {"Image4", 4, "Label22", 6, "Picture5"},  {"Image5", 0, "Label44", 0, "Picture8"},
      {"Image5", 1, "Label44", 1, "Picture8"},  {"Image5", 2, "Label44", 2, "Picture8"},
      {"Image5", 3, "Label44", 3, "Picture8"},  {"Image5", 4, "Label44", 4, "Picture8"},
      {"Image5", 5, "Label44", 5, "Picture8"},  {"Image5", 6, "Label44", 6, "Picture8"},
      {"Image5", 7, "Label44", 7, "Picture8"},  {"Image6", 0, "Label1", 0, "Picture9"},
      {"Image6", 1, "Label1", 1, "Picture9"},   {"Image6", 2, "Label1", 2, "Picture9"},
      {"Image6", 3, "Label1", 3, "Picture9"},   {"Image6", 4, "Label1", 4, "Picture9"},
      {"Image6", 8, "Label1", 8, "Picture9"},   {"Image6", 6, "Label1", 6, "Picture9"},
      {"Image6", 7, "Label1", 7, "Picture9"},   {"Image7", 0, "Label2", 0, "Picture10"},
      {"Image7", 1, "Label2", 1, "Picture10"},  {"Image7", 2, "Label2", 2, "Picture10"},
      {"Image7", 3, "Label2", 3, "Picture10"},
  };
  const struct {
    int width, height;
  } screens[] = {{1024, 768}, {1280, 1024}};
  int moved = 0;
  for (const auto& screen : screens) {
    SCOPED_TRACE(screen.width);
    CloseMainWindow();
    FakeSystemFacts facts;
    facts.screenWidth = screen.width;
    facts.screenHeight = screen.height;
    {
      platform::Override<platform::SystemFacts> use(facts);
      frmmain->Show();
    }
    const float pixel = frmmain->TwipsPerPixel();
    for (const Widget& w : widgets) {
      auto& label = frmmain->Get<ui::Label>(w.labels, w.element);
      SCOPED_TRACE(label.Caption());
      auto& picture = frmmain->Get<ui::Image>(w.images, w.index);
      const float panelWidth = frmmain->Get<ui::PictureBox>(w.panel).Width();
      const float text = label.TextWidth();
      const float textLeft = label.Left() + (label.Width() - text) / 2;
      EXPECT_GE(textLeft, -pixel / 2);
      EXPECT_LE(textLeft + text, panelWidth + pixel / 2);
      const float offCentre = label.Left() + label.Width() / 2 - (picture.Left() + picture.Width() / 2);
      if (text / 2 <= picture.Left() + picture.Width() / 2 - pixel) {
        EXPECT_NEAR(offCentre, 0, pixel);  // room enough: centred
      } else {
        ++moved;
        EXPECT_NEAR(textLeft, 0, pixel);  // moved only as far as the edge asks
      }
    }
  }
  EXPECT_GT(moved, 0) << "no label near the panel's edge was too long to centre";
}

struct IeCase {
  const char* version;  // nullptr: no value
  int expected;
};

TEST_F(MainWindowTest, InternetExplorerMajorVersionIsTheFirstDigit) {
  const char* kIe = "Software\\Microsoft\\Internet Explorer";
  platform::RegKey ie(HKEY_LOCAL_MACHINE, kIe, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY);
  const std::string original = ie.ReadString("Version", "");
  const IeCase cases[] = {{"9.11.9600.18376", 9}, {"8.0.7601", 8}, {"10.0.9200", 1}, {"x9", 0}, {"", 0}, {nullptr, 0}};
  for (const IeCase& c : cases) {
    SCOPED_TRACE(c.version ? c.version : "missing");
    if (c.version) ie.WriteString("Version", c.version);
    else ie.DeleteValue("Version");
    CloseMainWindow();
    frmmain->Show();
    EXPECT_EQ(IEMajorVersion, c.expected);
  }
  ie.WriteString("Version", original);
}

}  // namespace
