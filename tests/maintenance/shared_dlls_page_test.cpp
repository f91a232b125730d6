// The shared-DLL page against the prefix's real registry (the key in the native view, which
// a fresh prefix lacks) and real files: what the scan lists, the end of a scan at a long
// name, and the removal with its restore-point question.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "maintenance/frmSharedDLLs.h"
#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/FRMsysRestore.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fake_restore_points.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"
#include "support/registry_fixture.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"

namespace {

constexpr REGSAM kNative = KEY_WOW64_64KEY;

class SharedDllsPageTest : public testing::Test {
 protected:
  void SetUp() override {
    keyExisted = KeyExists(HKEY_LOCAL_MACHINE, kSharedDllsKey);
    winmgmt = ReadServiceFacts("winmgmt");
    frmSharedDLLs->Show();
  }
  void TearDown() override {
    CloseMainWindow();
    if (!keyExisted) DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSharedDllsKey, kNative);
    ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING);
  }
  FrmSharedDLLs& Page() { return *frmSharedDLLs; }
  void AddEntries(const std::vector<std::string>& names) {
    platform::RegKey key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kSharedDllsKey, kNative);
    for (const std::string& name : names) ASSERT_TRUE(key.WriteDword(name, 1)) << name;
  }
  std::vector<std::string> Entries() {
    return platform::RegKey(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_READ | kNative).EnumValues();
  }
  std::vector<std::string> Listed() {
    std::vector<std::string> names;
    for (int i = 0; i < Page().List1->ListCount(); ++i) names.push_back(Page().List1->List(i));
    return names;
  }
  void ExpectBox(size_t index, const std::string& text, UINT style) {
    auto boxes = dialogs.MessageBoxes();
    ASSERT_LT(index, boxes.size());
    EXPECT_EQ(boxes[index].text, text);
    EXPECT_EQ(boxes[index].style, style);
    EXPECT_EQ(boxes[index].title, kAppTitle);
    EXPECT_TRUE(boxes[index].coloured);
  }
  std::string Path(const std::wstring& relative) { return Narrow(scratch.Sub(relative)); }

  bool keyExisted = false;
  ServiceFacts winmgmt;
  ScratchFolder scratch;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeRestorePoints points;
  platform::Override<platform::RestorePoints> usePoints{points};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
};

TEST_F(SharedDllsPageTest, WithoutTheKeyTheScanSaysSoAndThereIsNothingToRemove) {
  ASSERT_FALSE(keyExisted) << "a fresh prefix has no such key in the native view";
  EXPECT_EQ(Page().Label13->Caption(), "Total invalid Dll's Found:");
  EXPECT_EQ(Page().Label14->Caption(), "Total Entries Searched:");
  dialogs.AnswerMessageBox(IDOK);
  Page().Command11_Click();
  ExpectBox(0, "Cannot open key", MB_OK);
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(Page().Label10->Caption(), "");
  EXPECT_EQ(Page().Label13->Caption(), "Total invalid Dll's Found:");

  dialogs.AnswerMessageBox(IDOK);
  Page().Command31_Click();
  ExpectBox(1, LoadResString(545), MB_OK | MB_ICONSTOP);
  EXPECT_EQ(dialogs.MessageBoxes().size(), 2u) << "no restore-point question";
}

TEST_F(SharedDllsPageTest, TheScanListsTheNamesWithNothingBehindThem) {
  // A DLL only in the native System32 (Sysnative from this 32-bit program) and one only in
  // the 32-bit one: entries of the native view name native files.
  const std::string nativeOnly = "quenvor_test_native_only.dll";
  const std::string wowOnly = "quenvor_test_wow_only.dll";
  MakeFile(L"C:\\windows\\Sysnative\\" + Wide(nativeOnly));
  MakeFile(L"C:\\windows\\SysWOW64\\" + Wide(wowOnly));
  MakeFile(scratch.Sub(L"plain.dll"));
  MakeFile(scratch.Sub(L"hidden.dll"), FILE_ATTRIBUTE_HIDDEN);
  MakeFile(scratch.Sub(L"system.dll"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  MakeFolder(scratch.Sub(L"folder"));
  struct Entry {
    std::string name;
    bool listed;
  };
  const Entry entries[] = {
      {"C:\\windows\\system32\\" + nativeOnly, false},
      {"C:\\windows\\system32\\" + wowOnly, true},
      {Path(L"plain.dll"), false},
      {Path(L"hidden.dll"), false},
      {Path(L"system.dll"), false},
      {Path(L"folder"), false},
      {Path(L"gone.dll"), true},
      {Path(L"no folder\\gone.dll"), true},
      {"C:\\bad|name<.dll", true},
      {"B:\\no drive\\x.dll", true},  // a drive that is not there
  };
  std::vector<std::string> names, invalid;
  for (const Entry& e : entries) {
    names.push_back(e.name);
    if (e.listed) invalid.push_back(e.name);
  }
  AddEntries(names);
  Page().Command11_Click();
  DeleteFileW((L"C:\\windows\\Sysnative\\" + Wide(nativeOnly)).c_str());
  DeleteFileW((L"C:\\windows\\SysWOW64\\" + Wide(wowOnly)).c_str());

  std::vector<std::string> listed = Listed();
  std::sort(listed.begin(), listed.end());
  std::sort(invalid.begin(), invalid.end());
  EXPECT_EQ(listed, invalid);
  EXPECT_EQ(Page().Label10->Caption(), "Finished Searching!");
  EXPECT_EQ(Page().Label13->Caption(), "Total invalid Dll's Found:" + std::to_string(invalid.size()));
  EXPECT_EQ(Page().Label14->Caption(), "Total Entries Searched:" + std::to_string(std::size(entries)));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());

  // A key without values.
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSharedDllsKey, kNative);
  AddEntries({});
  Page().Command11_Click();
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(Page().Label13->Caption(), "Total invalid Dll's Found:0");
  EXPECT_EQ(Page().Label14->Caption(), "Total Entries Searched:0");
}

TEST_F(SharedDllsPageTest, ANameOf2000CharactersEndsTheScanThere) {
  // Created and enumerated in this order (the registry of the prefix enumerates by name).
  const std::string tooLong = "C:\\" + std::string(1997, 'x');  // 2000 characters
  AddEntries({"C:\\gone\\a.dll", "C:\\gone\\b.dll", tooLong, "C:\\y\\after.dll"});
  Page().Command11_Click();
  EXPECT_EQ(Listed(), (std::vector<std::string>{"C:\\gone\\a.dll", "C:\\gone\\b.dll"}));
  EXPECT_EQ(Page().Label14->Caption(), "Total Entries Searched:2");
  EXPECT_EQ(Page().Label10->Caption(), "Finished Searching!");
}

TEST_F(SharedDllsPageTest, RemovalDeletesTheListedNamesUnlessAPointAskedForWasNotMade) {
  struct Case {
    const char* name;
    int answer;
    bool pointMade;
  };
  const Case cases[] = {
      {"restore point made", IDYES, true},
      {"no restore point", IDNO, false},
      {"restore point failed", IDYES, false},  // last: it leaves the entries in place
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDialogs boxes;
    platform::Override<platform::Dialogs> useBoxes(boxes);
    points.requests.clear();
    points.createResult = c.pointMade ? platform::RestorePointResult{S_OK, 0}
                                      : platform::RestorePointResult{E_FAIL, std::nullopt};
    MakeFile(scratch.Sub(L"kept.dll"));
    AddEntries({Path(L"kept.dll"), Path(L"gone1.dll"), Path(L"gone2.dll")});
    Page().Command11_Click();
    ASSERT_EQ(Listed().size(), 2u);

    boxes.AnswerMessageBox(c.answer);
    if (c.answer == IDYES) boxes.AnswerMessageBox(IDOK);  // the restore-point page's own message
    if (c.answer == IDYES && !c.pointMade) {
      // The user asked for a way back and did not get one: nothing is removed, the list stays.
      Page().Command31_Click();
      const auto shown = boxes.MessageBoxes();
      ASSERT_EQ(shown.size(), 2u);
      EXPECT_EQ(shown[1].text, LoadResString(701) + LoadResString(386) + LoadResString(703));
      EXPECT_THAT(Entries(), testing::UnorderedElementsAre(Path(L"kept.dll"), Path(L"gone1.dll"), Path(L"gone2.dll")));
      EXPECT_EQ(Listed().size(), 2u);
      continue;
    }
    boxes.AnswerMessageBox(IDOK);
    Page().Command31_Click();
    const auto shown = boxes.MessageBoxes();
    ASSERT_EQ(shown.size(), c.answer == IDYES ? 3u : 2u);
    EXPECT_EQ(shown[0].text, LoadResString(278));
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    if (c.answer == IDYES) {
      ASSERT_EQ(points.requests.size(), 1u);
      EXPECT_EQ(points.requests[0].description, "Removal of invalid shared dll's");
      EXPECT_EQ(shown[1].text, LoadResString(701) + LoadResString(386) + LoadResString(c.pointMade ? 702 : 703));
    } else {
      EXPECT_TRUE(points.requests.empty());
    }
    EXPECT_EQ(shown.back().text, LoadResString(276));
    EXPECT_EQ(shown.back().style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(Entries(), std::vector<std::string>{Path(L"kept.dll")});
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(Page().Label13->Caption(), "Total invalid Dll's Found:2") << "the last scan's figures";
    EXPECT_FALSE(FRMsysRestore->Loaded());
    EXPECT_TRUE(IsWindowVisible(Page().hWnd()));

    // Again at once: nothing left to remove. A new scan finds the key as it now stands.
    boxes.AnswerMessageBox(IDOK);
    Page().Command31_Click();
    EXPECT_EQ(boxes.MessageBoxes().back().text, LoadResString(545));
    Page().Command11_Click();
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(Page().Label14->Caption(), "Total Entries Searched:1");
  }
}

TEST_F(SharedDllsPageTest, CancelOrAKeyThatCannotBeOpenedKeepsTheList) {
  AddEntries({"C:\\gone\\a.dll", "C:\\gone\\b.dll"});
  Page().Command11_Click();
  const std::vector<std::string> listed = Listed();
  ASSERT_EQ(listed.size(), 2u);

  dialogs.AnswerMessageBox(IDCANCEL);
  Page().Command31_Click();
  EXPECT_EQ(Listed(), listed);
  EXPECT_EQ(Entries().size(), 2u);

  // The key went between the scan and the removal: nothing could be removed.
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, kSharedDllsKey, kNative);
  dialogs.AnswerMessageBox(IDNO);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command31_Click();
  ExpectBox(2, "Cannot open key", MB_OK);
  EXPECT_EQ(dialogs.MessageBoxes().size(), 3u);
  EXPECT_EQ(Listed(), listed);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSharedDllsKey)) << "never created";
  EXPECT_TRUE(points.requests.empty());
}

}  // namespace
