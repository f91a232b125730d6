// The tool box page against the prefix's real registry, desktop folder and processes:
// opening it, the hibernation commands through a recorded powercfg, the context-menu
// entries added and removed (or named when they cannot be), and the God Mode folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "maintenance/frmToolBox.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/recorder.h"

namespace {

const std::string kMenuText = "Folder\\Shell\\MenuText";
const std::string kCommand = kMenuText + "\\Command";
const std::string kDirectoryHandlers = "Directory\\shellex\\ContextMenuHandlers";
const std::string kFileHandlers = "*\\shellex\\ContextMenuHandlers";
constexpr const char* kCopyTo = "{C2FBB630-2971-11d1-A18C-00C04FD75D13}";
constexpr const char* kMoveTo = "{C2FBB631-2971-11d1-A18C-00C04FD75D13}";
constexpr UINT kSystemModalInformation = MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL;

// HKEY_CLASSES_ROOT as the page uses it: the program's own view.
std::string DefaultValue(const std::string& key) {
  return platform::RegKey(HKEY_CLASSES_ROOT, key, KEY_QUERY_VALUE).ReadString("", "(missing)");
}
bool ClassKeyExists(const std::string& key) { return KeyExists(HKEY_CLASSES_ROOT, key, 0); }
std::vector<std::string> Subkeys(const std::string& key) {
  return platform::RegKey(HKEY_CLASSES_ROOT, key, KEY_ENUMERATE_SUB_KEYS).EnumSubkeys();
}

std::string GodModeFolder() {
  char desktop[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
  return std::string(desktop) + "\\" + kGodModeFolderName;
}

class ToolBoxPageTest : public testing::Test {
 protected:
  void TearDown() override {
    CloseMainWindow();
    RemoveTree(Wide(GodModeFolder()));
  }
  FrmToolBox& Page() { return *frmToolBox; }
  // Presses the button, answering OK to what it shows.
  void Press(void (FrmToolBox::*button)()) {
    dialogs.AnswerMessageBox(IDOK);
    (Page().*button)();
  }
  // The last box shown, in the program's colours and titled with the application title.
  void ExpectLastBox(const std::string& text, UINT style) {
    const auto boxes = dialogs.MessageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, text);
    EXPECT_EQ(boxes.back().style, style);
    EXPECT_EQ(boxes.back().title, kAppTitle);
    EXPECT_TRUE(boxes.back().coloured);
  }

  // Every class key the buttons may create goes again, in both views.
  ScopedRegistryValues classes{{
      {HKEY_CLASSES_ROOT, kCommand, {}, false},
      {HKEY_CLASSES_ROOT, kDirectoryHandlers + "\\Copy To", {}, false},
      {HKEY_CLASSES_ROOT, kDirectoryHandlers + "\\Move To", {}, false},
      {HKEY_CLASSES_ROOT, kFileHandlers + "\\Copy To", {}, false},
      {HKEY_CLASSES_ROOT, kFileHandlers + "\\Move To", {}, false},
  }};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(ToolBoxPageTest, OpeningAndClosingChangesNothing) {
  const ServiceFacts winmgmt = ReadServiceFacts("winmgmt");
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  ASSERT_FALSE(ClassKeyExists(kMenuText));

  Page().Show();
  EXPECT_EQ(Page().Caption(), LoadResString(598));
  struct CaptionCase {
    ui::Control& control;
    std::string caption;
  };
  const CaptionCase captions[] = {
      {Page().Frame50[3], LoadResString(598)},    {Page().Frame50[4], LoadResString(389)},
      {*Page().Frame53, LoadResString(228)},      {*Page().Label23, LoadResString(24)},
      {Page().Label39[0], LoadResString(876)},    {Page().Label39[2], LoadResString(556)},
      {*Page().Command57, LoadResString(417)},    {*Page().Command61, LoadResString(17)},
      {*Page().Command60, LoadResString(388)},    {*Page().Command1, LoadResString(64)},
      {Page().Frame50[8], "God Mode"},            {*Page().Command62, "Create It"},
      {Page().Label39[4], "This option creates a shortcut on your desktop with quick access to alot of system settings."},
  };
  for (const CaptionCase& c : captions) EXPECT_EQ(c.control.Caption(), c.caption);
  Page().Command1_Click();

  EXPECT_FALSE(Page().Loaded());
  const ServiceFacts after = ReadServiceFacts("winmgmt");
  EXPECT_EQ(after.startType, static_cast<DWORD>(SERVICE_DEMAND_START)) << "WMI is not touched";
  EXPECT_NE(after.state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_FALSE(ClassKeyExists(kMenuText));
  EXPECT_FALSE(ClassKeyExists(kDirectoryHandlers + "\\Copy To"));
  EXPECT_FALSE(Exists(Wide(GodModeFolder())));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING);
}

// ---- hibernation -----------------------------------------------------------------------

TEST_F(ToolBoxPageTest, HibernationRunsPowercfgAndSaysSoSystemModal) {
  struct HibernationCase {
    void (FrmToolBox::*button)();
    const char* argument;
    int message;
  };
  const HibernationCase cases[] = {{&FrmToolBox::Command30_Click, "on", 230},
                                   {&FrmToolBox::Command32_Click, "off", 229}};
  for (const HibernationCase& c : cases) {
    SCOPED_TRACE(c.argument);
    InstalledRecorder powercfg("C:\\windows\\system32\\powercfg.exe", false);
    ASSERT_TRUE(powercfg.Installed());
    Press(c.button);
    const std::vector<std::string> lines = powercfg.CommandLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(std::string("powercfg -h ") + c.argument), std::string::npos) << lines[0];
    ExpectLastBox(LoadResString(c.message), kSystemModalInformation);
  }
}

TEST_F(ToolBoxPageTest, AMissingPowercfgIsReportedInsteadOfTheSuccessMessage) {
  Press(&FrmToolBox::Command30_Click);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("The command did not succeed:\r\n\r\ncmd.exe /c powercfg -h on\r\n\r\nExit code: ", 0), 0u)
      << boxes[0].text;
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}

// ---- context-menu entries --------------------------------------------------------------

TEST_F(ToolBoxPageTest, CmdPromptHereIsAddedAndRemovedAgainAndAgain) {
  for (int time = 1; time <= 2; ++time) {
    SCOPED_TRACE(time);
    Press(&FrmToolBox::Command58_Click);
    EXPECT_EQ(DefaultValue(kMenuText), "Cmd Prompt Here");
    EXPECT_EQ(DefaultValue(kCommand), "cmd.exe /k cd \"%1\"");
    ExpectLastBox(LoadResString(66), MB_OK | MB_ICONINFORMATION);
  }
  for (int time = 1; time <= 2; ++time) {
    SCOPED_TRACE(time);
    Press(&FrmToolBox::Command59_Click);
    EXPECT_FALSE(ClassKeyExists(kMenuText));
    ExpectLastBox(LoadResString(67), MB_OK | MB_ICONINFORMATION);
  }
}

TEST_F(ToolBoxPageTest, ARemovalThatLeavesTheVerbNamesWhatStayed) {
  Press(&FrmToolBox::Command58_Click);
  ASSERT_TRUE(platform::RegKey::Create(HKEY_CLASSES_ROOT, kCommand + "\\Below", 0));
  Press(&FrmToolBox::Command59_Click);
  EXPECT_EQ(DefaultValue(kMenuText), "Cmd Prompt Here");
  EXPECT_EQ(DefaultValue(kCommand), "cmd.exe /k cd \"%1\"");
  ExpectLastBox("These entries could not be deleted from the registry:\r\n"
                "\r\nHKEY_CLASSES_ROOT\\Folder\\Shell\\MenuText\\Command\\"
                "\r\nHKEY_CLASSES_ROOT\\Folder\\Shell\\MenuText\\",
                MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(ToolBoxPageTest, CopyAndMoveHandlersAreTheFourKeysWithTheirClassIdentifiers) {
  const std::vector<std::string> directoryBefore = Subkeys(kDirectoryHandlers);
  const std::vector<std::string> filesBefore = Subkeys(kFileHandlers);
  Press(&FrmToolBox::Command61_Click);
  ExpectLastBox(LoadResString(80), MB_OK | MB_ICONINFORMATION);
  for (const std::string& handlers : {kDirectoryHandlers, kFileHandlers}) {
    SCOPED_TRACE(handlers);
    EXPECT_EQ(DefaultValue(handlers + "\\Copy To"), kCopyTo);
    EXPECT_EQ(DefaultValue(handlers + "\\Move To"), kMoveTo);
  }
  EXPECT_EQ(Subkeys(kDirectoryHandlers).size(), directoryBefore.size() + 2);
  EXPECT_EQ(Subkeys(kFileHandlers).size(), filesBefore.size() + 2);

  for (int time = 1; time <= 2; ++time) {
    SCOPED_TRACE(time);
    Press(&FrmToolBox::Command60_Click);
    ExpectLastBox(LoadResString(81), MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(Subkeys(kDirectoryHandlers), directoryBefore);
    EXPECT_EQ(Subkeys(kFileHandlers), filesBefore);
  }
}

TEST_F(ToolBoxPageTest, AnEntryThatCannotBeWrittenIsNamed) {
  Press(&FrmToolBox::Command61_Click);
  const std::string locked = kDirectoryHandlers + "\\Copy To";
  ASSERT_TRUE(platform::RegKey(HKEY_CLASSES_ROOT, locked, KEY_SET_VALUE).WriteString("", "changed"));
  {
    ScopedKeyAccess readOnly(HKEY_CLASSES_ROOT, locked, KEY_QUERY_VALUE, 0);
    ASSERT_TRUE(readOnly.Applied());
    Press(&FrmToolBox::Command61_Click);
  }
  EXPECT_EQ(DefaultValue(locked), "changed");
  ExpectLastBox("These entries could not be written to the registry:\r\n"
                "\r\nHKEY_CLASSES_ROOT\\Directory\\shellex\\ContextMenuHandlers\\Copy To\\",
                MB_OK | MB_ICONEXCLAMATION);
}

// ---- God Mode --------------------------------------------------------------------------

TEST_F(ToolBoxPageTest, GodModeIsOneFolderOnTheDesktopHoweverOftenItIsMade) {
  const std::string folder = GodModeFolder();
  for (int time = 1; time <= 2; ++time) {
    SCOPED_TRACE(time);
    Press(&FrmToolBox::Command62_Click);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    ExpectLastBox("God Mode shortcut has been created on your desktop.", kSystemModalInformation);
  }
}

TEST_F(ToolBoxPageTest, AGodModeFolderThatCannotBeMadeIsNamed) {
  const std::string folder = GodModeFolder();
  MakeFile(Wide(folder));  // a file of that name is in the way
  Press(&FrmToolBox::Command62_Click);
  EXPECT_FALSE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  ExpectLastBox("The God Mode folder could not be created:\r\n\r\n" + folder + "\r\n\r\n" +
                    platform::SystemErrorText(ERROR_ALREADY_EXISTS),
                MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

}  // namespace
