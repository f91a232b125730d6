// Hotfix removal against the prefix's real registry (through Wine's own WMI, which runs in
// this 32-bit program and so sees the 32-bit view of the list of installed programs) and
// the real Windows folder; a scripted WMI for a provider that does not answer.
#include <gtest/gtest.h>

#include <windows.h>
#include <wbemcli.h>

#include <string>
#include <vector>

#include "maintenance/frmToolBox.h"
#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"
#include "support/fake_wmi.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"
#include "support/registry_fixture.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/FolderDelete.h"

namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr REGSAM kWmiView = KEY_WOW64_32KEY;  // the view Wine's in-process provider sees

std::string WindowsFolder() {
  char folder[MAX_PATH] = {};
  GetWindowsDirectoryA(folder, MAX_PATH);
  return folder;
}
std::wstring InWindows(const std::string& name) { return Wide(WindowsFolder() + "\\" + name); }

// An entry of the list of installed programs, made for the test; "" for no display name.
struct UninstallEntry {
  const char* key;
  const char* displayName;
  bool removed;
};

class HotfixRemovalTest : public testing::Test {
 protected:
  void SetUp() override {
    winmgmt = ReadServiceFacts("winmgmt");
    ASSERT_TRUE(winmgmt.exists);
    closings = frmprogress->Closings();
  }
  void TearDown() override {
    CloseMainWindow();
    for (const std::string& key : entries) DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstall + "\\" + key, kWmiView);
    for (const std::wstring& path : planted) RemoveTree(path);
    EXPECT_TRUE(ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING));
  }
  void AddEntry(const std::string& key, const std::string& displayName) {
    entries.push_back(key);
    platform::RegKey entry = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kUninstall + "\\" + key, kWmiView);
    ASSERT_TRUE(entry);
    if (!displayName.empty()) {
      ASSERT_TRUE(entry.WriteString("DisplayName", displayName));
    }
  }
  bool EntryExists(const std::string& key) { return KeyExists(HKEY_LOCAL_MACHINE, kUninstall + "\\" + key, kWmiView); }
  // A file or folder directly inside the Windows folder, removed again after the test.
  std::wstring Plant(const std::string& name, bool folder) {
    const std::wstring path = InWindows(name);
    planted.push_back(path);
    if (folder) MakeFolder(path);
    else MakeFile(path);
    return path;
  }
  // Answers the question with `answer`, then OK to the closing message when there is one.
  void Remove(int answer = IDYES) {
    dialogs.AnswerMessageBox(answer);
    if (answer == IDYES) dialogs.AnswerMessageBox(IDOK);
    frmToolBox->Command56_Click();
  }
  void ExpectClosing(size_t index, const std::string& text, UINT style) {
    const auto boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size(), index + 1);
    EXPECT_EQ(boxes[index].text, text);
    EXPECT_EQ(boxes[index].style, style);
    EXPECT_EQ(boxes[index].title, kAppTitle);
    EXPECT_TRUE(boxes[index].coloured);
  }

  ServiceFacts winmgmt;
  int closings = 0;
  std::vector<std::string> entries;
  std::vector<std::wstring> planted;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(HotfixRemovalTest, RemovesTheHotfixEntriesFoldersAndLogsAndNothingElse) {
  const UninstallEntry uninstallEntries[] = {
      {"QuenvorTest.Security", "Security Update for Windows XP (KB923191)", true},
      {"QuenvorTest.Hotfix", "Hotfix for Windows XP (KB2345678)", true},
      {"QuenvorTest.Q", "Q312345", true},
      {"QuenvorTest.LowerK", "k123456", true},
      {"QuenvorTest.Product", "Quenvor Hotfix Manager", true},  // a product with the word in its name
      {"QuenvorTest.Blank", "KB 123456", false},
      {"QuenvorTest.FiveDigits", "KB12345", false},
      {"QuenvorTest.Program", "Quenvor Test Program", false},
      {"QuenvorTest.NoName", "", false},
  };
  for (const UninstallEntry& e : uninstallEntries) AddEntry(e.key, e.displayName);
  struct Item {
    const char* name;
    bool folder;
    bool removed;
  };
  const Item items[] = {
      {"$NtUninstallKB923191$", true, true},
      {"$ntuninstallQ312345$", true, true},
      {"$hf_mig$", true, false},
      {"KB923191.log", false, true},
      {"Q312345.log", false, true},
      {"HOTFIX.LOG", false, true},
      {"hotfix.dll", false, false},  // "hotfix" alone is no log file
      {"KB2345678.log", false, false},
      {"KB923191.txt", false, false},
  };
  for (const Item& item : items) Plant(item.name, item.folder);
  MakeFile(InWindows("$NtUninstallKB923191$\\spuninst\\spuninst.exe"));
  MakeFile(InWindows("$NtUninstallKB923191$\\update.inf"));
  // Only what lies directly inside the Windows folder of the system drive is examined.
  const std::wstring nested = Plant("QuenvorTestNest", true) + L"\\$NtUninstallKB111111$";
  MakeFolder(nested);
  const std::wstring otherDrive = L"H:\\windows\\KB923191.log";
  ASSERT_TRUE(Exists(otherDrive)) << "prepare.sh maps H:";

  Remove();

  for (const UninstallEntry& e : uninstallEntries) EXPECT_EQ(EntryExists(e.key), !e.removed) << e.key;
  for (const Item& item : items) EXPECT_EQ(Exists(InWindows(item.name)), !item.removed) << item.name;
  EXPECT_TRUE(Exists(nested));
  EXPECT_TRUE(Exists(otherDrive));
  ExpectClosing(1, LoadResString(22), MB_OK | MB_ICONINFORMATION);
  const auto question = dialogs.MessageBoxes()[0];
  EXPECT_EQ(question.text, LoadResString(387));
  EXPECT_EQ(question.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(question.coloured);
  ASSERT_EQ(frmprogress->Closings(), closings + 1);
  EXPECT_EQ(frmprogress->LastClosing().caption, LoadResString(453));
  EXPECT_EQ(frmprogress->LastClosing().max, 3);
  EXPECT_EQ(frmprogress->LastClosing().value, 3);
  EXPECT_FALSE(frmprogress->Loaded());

  // All of it went: a second run finds nothing.
  Remove();
  ExpectClosing(3, LoadResString(319), MB_OK | MB_ICONINFORMATION);
}

TEST_F(HotfixRemovalTest, WhatCannotBeRemovedIsNamedInsteadOfTheSuccessMessage) {
  // A read-only file keeps its uninstall folder; a key with a subkey is not deleted.
  const std::wstring folder = Plant("$NtUninstallKB923191$", true);
  MakeFile(folder + L"\\update.inf");
  MakeFile(folder + L"\\spuninst.exe", FILE_ATTRIBUTE_READONLY);
  AddEntry("QuenvorTest.Locked", "Security Update (KB923191)");
  ASSERT_TRUE(platform::RegKey::Create(HKEY_LOCAL_MACHINE, kUninstall + "\\QuenvorTest.Locked\\Below", kWmiView));
  AddEntry("QuenvorTest.Free", "Security Update (KB923192)");
  Plant("KB923191.log", false);

  Remove();

  EXPECT_TRUE(Exists(folder + L"\\spuninst.exe"));
  EXPECT_TRUE(EntryExists("QuenvorTest.Locked"));
  EXPECT_FALSE(EntryExists("QuenvorTest.Free"));
  EXPECT_FALSE(Exists(InWindows("KB923191.log")));
  ExpectClosing(1,
                "This hotfix uninstall information could not be removed:\r\n\r\nHKEY_LOCAL_MACHINE\\" + kUninstall +
                    "\\QuenvorTest.Locked\r\n" + WindowsFolder() + "\\$NtUninstallKB923191$",
                MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(HotfixRemovalTest, LinksUnderHotfixNamesAreLeftNamedAndWhatTheyPointToStays) {
  // prepare.sh: a Windows folder holding a hotfix log and links, under hotfix names, to a
  // folder and a file outside it. The registry names it as the system's.
  const std::string windows = "C:\\QuenvorToolbox\\links\\windows";
  ASSERT_TRUE(Exists(Wide(windows + "\\KB923192.log"))) << "the fixture of tests/toolbox/prepare.sh is missing";
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi(wmi);
  wmi.ScriptMethod("root\\default", "StdRegProv", "GetStringValue",
                   FakeWmi::Row({{"ReturnValue", int64_t{0}}, {"sValue", windows}}));
  wmi.ScriptMethod("root\\default", "StdRegProv", "EnumKey", FakeWmi::Row({{"ReturnValue", int64_t{2}}}));

  Remove();

  EXPECT_TRUE(Exists(L"C:\\QuenvorToolbox\\canary\\keep.txt"));
  EXPECT_TRUE(Exists(L"C:\\QuenvorToolbox\\canary.log"));
  EXPECT_FALSE(Exists(Wide(windows + "\\KB923192.log")));
  ExpectClosing(1,
                "This hotfix uninstall information could not be removed:\r\n\r\n" + windows +
                    "\\$NtUninstallKB923191$ (" + kLinkLeftText + ")\r\n" + windows + "\\KB923191.log (" +
                    kLinkLeftText + ")",
                MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(HotfixRemovalTest, AnsweringNoRemovesNothingButWmiHasBeenStarted) {
  ASSERT_TRUE(ArrangeService("winmgmt", SERVICE_DEMAND_START, false));
  AddEntry("QuenvorTest.Security", "Security Update for Windows XP (KB923191)");
  Plant("KB923191.log", false);

  Remove(IDNO);

  const ServiceFacts facts = ReadServiceFacts("winmgmt");
  EXPECT_EQ(facts.startType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(facts.state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_TRUE(EntryExists("QuenvorTest.Security"));
  EXPECT_TRUE(Exists(InWindows("KB923191.log")));
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
  EXPECT_EQ(frmprogress->Closings(), closings) << "no progress window";
}

TEST_F(HotfixRemovalTest, AProviderThatDoesNotAnswerIsSaidNotToBeNothingFound) {
  FakeWmi wmi;
  platform::Override<platform::Wmi> useWmi(wmi);
  const HRESULT failed = WBEM_E_FAILED;
  wmi.ScriptMethod("root\\default", "StdRegProv", "GetStringValue", {}, failed);
  wmi.ScriptMethod("root\\default", "StdRegProv", "EnumKey", {}, failed);
  Plant("KB923191.log", false);

  Remove();

  EXPECT_TRUE(Exists(InWindows("KB923191.log"))) << "without the registry's word, no folder is searched";
  for (const FakeWmi::MethodCall& call : wmi.Methods()) EXPECT_NE(call.method, "DeleteKey");
  ExpectClosing(1,
                "These places could not be searched for hotfix uninstall information:\r\n\r\n"
                "the Windows folder (the registry does not name it: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\"
                "Windows NT\\CurrentVersion\\SystemRoot)\r\n"
                "the list of installed programs (HKEY_LOCAL_MACHINE\\" +
                    kUninstall + ")",
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace
