// The Start Menu & Taskbar page against the real registry of the test prefix.
#include <functional>

#include "page_fixture.h"
#include "security/frmStartMenu.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kMachinePolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer";

const Setting kValues[] = {
    {HKCU, kExplorer, "StartMenuAdminTools"},     {HKCU, kPolicies, "NoSetFolders"},
    {HKCU, kPolicies, "NoStartMenuMyGames"},      {HKCU, kPolicies, "NoSetTaskbar"},
    {HKCU, kPolicies, "NoCommonGroups"},          {HKCU, kPolicies, "NoStartMenuNetworkPlaces"},
    {HKCU, kPolicies, "NoFind"},                  {HKCU, kPolicies, "NoTrayItemsDisplay"},
    {HKCU, kPolicies, "NoToolbarsOnTaskbar"},     {HKCU, kPolicies, "NoSimpleStartMenu"},
    {HKCU, kAdvanced, "Start_ShowRun"},           {HKLM, kMachinePolicies, "NoFavoritesMenu"},
    {HKLM, kMachinePolicies, "NoRecentDocsMenu"}, {HKLM, kMachinePolicies, "NoNetworkConnections"},
    {HKLM, kMachinePolicies, "NoRecentDocsHistory"}, {HKLM, kMachinePolicies, "NoSMMyDocs"},
    {HKLM, kMachinePolicies, "NoSMMyPictures"},   {HKLM, kMachinePolicies, "NoStartMenuMyMusic"},
};

class StartMenuTest : public SecurityPageTest {
 protected:
  FrmStartMenu& Page() { return *frmStartMenu; }
  void Load() { Page().Check20[0].Value(); }
  std::string Ticked() { return TickedBoxes(Page(), {"Check20", "Check21"}); }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command51_Click();
  }

  ScopedRegistryValues registry{WatchedKeysOf(kValues)};
};

class StartMenuReading : public StartMenuTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(StartMenuReading, TicksTheBoxesOfTheSettingsInForce) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Ticked(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartMenuReading,
    testing::Values(
        // Run is removed while "Start_ShowRun" is anything but 1, missing included.
        ReadCase{"NothingSet", [] {}, "Check20(5) "},
        ReadCase{"RunShown", [] { SetDword(HKCU, kAdvanced, "Start_ShowRun", 1); }, ""},
        ReadCase{"RunTwo", [] { SetDword(HKCU, kAdvanced, "Start_ShowRun", 2); }, "Check20(5) "},
        ReadCase{"AdminToolsNo", [] { SetText(HKCU, kExplorer, "StartMenuAdminTools", "No"); },
                 "Check20(0) Check20(5) "},
        ReadCase{"AdminToolsLowerCase", [] { SetText(HKCU, kExplorer, "StartMenuAdminTools", "no"); },
                 "Check20(5) "},
        ReadCase{"PolicyValues",
                 [] {
                   PutDword(HKCU, kPolicies, "NoStartMenuMyGames", 2);
                   PutDword(HKCU, kPolicies, "NoFind", 0);
                   PutDword(HKLM, kMachinePolicies, "NoSMMyMusic", 1);  // not a value of the page
                   PutDword(HKLM, kMachinePolicies, "NoStartMenuMyMusic", 1);
                 },
                 "Check20(5) Check20(9) Check21(5) "}),
    CaseName);

TEST_F(StartMenuTest, SaveWritesEveryRowAsShownAndCreatesAPolicyKeyOnlyForATickedBox) {
  PutDword(HKCU, kPolicies, "NoSetTaskbar", 7);
  Load();
  Page().Check21[6].SetValue(1);
  Save();
  EXPECT_EQ(Dump(kValues),
            "StartMenuAdminTools=sz:Yes\n"
            "NoSetFolders=dword:0\n"
            "NoStartMenuMyGames=dword:0\n"
            "NoSetTaskbar=dword:1\n"
            "NoCommonGroups=dword:0\n"
            "NoStartMenuNetworkPlaces=dword:0\n"
            "NoFind=dword:0\n"
            "NoTrayItemsDisplay=dword:0\n"
            "NoToolbarsOnTaskbar=dword:0\n"
            "NoSimpleStartMenu=dword:0\n"
            "Start_ShowRun=dword:0\n"
            "NoFavoritesMenu=missing\n"
            "NoRecentDocsMenu=missing\n"
            "NoNetworkConnections=missing\n"
            "NoRecentDocsHistory=dword:1\n"
            "NoSMMyDocs=missing\n"
            "NoSMMyPictures=missing\n"
            "NoStartMenuMyMusic=missing\n");
  ExpectOneMessage(LoadResString(493));
  EXPECT_TRUE(RestartNeeded);
  EXPECT_TRUE(Page().Loaded());
}

TEST_F(StartMenuTest, WithEveryPolicyKeyMissingAndNothingTickedNoPolicyKeyIsMade) {
  SetDword(HKCU, kAdvanced, "Start_ShowRun", 1);
  Load();
  ASSERT_EQ(Ticked(), "");
  Save();
  EXPECT_FALSE(KeyExists(HKCU, kPolicies));
  EXPECT_FALSE(KeyExists(HKLM, kMachinePolicies));
  EXPECT_EQ(StoredValue(HKCU, kAdvanced, "Start_ShowRun"), "dword:1");
  EXPECT_EQ(dialogs.MessageBoxes().at(0).text, LoadResString(493));
}

TEST_F(StartMenuTest, AMissingAdvancedKeyIsNamedNotCreatedAndTheOthersAreWritten) {
  registry.MakeMissing(HKCU, kAdvanced);
  Load();
  Save();
  EXPECT_FALSE(KeyExists(HKCU, kAdvanced));
  EXPECT_EQ(StoredValue(HKCU, kExplorer, "StartMenuAdminTools"), "sz:Yes");
  ExpectOneMessage(NotSavedText({407}), MB_ICONEXCLAMATION);
  EXPECT_TRUE(RestartNeeded);
}

TEST_F(StartMenuTest, Captions) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(489));
  EXPECT_EQ(Page().Check20[9].Caption(), LoadResString(396));
  EXPECT_EQ(Page().Check20[9].ToolTipText(), LoadResString(843));
  EXPECT_FALSE(Page().Check20[11].Visible());
  EXPECT_EQ(Page().Check20[11].Caption(), "");
}

}  // namespace
