// The Control Panel restrictions page against the real registry of the test prefix: the
// policy boxes, the Administrative Tools entry switched between two sibling subkeys in the
// native view, and what Save writes and reports.
#include <functional>

#include "page_fixture.h"
#include "platform/registry.h"
#include "security/frmControlPanel.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

using platform::RegKey;

constexpr const char* kNameSpace = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace";
const std::string kTools = std::string(kNameSpace) + "\\{D20EA4E1-3957-11d2-A40B-0C5020524153}";
const std::string kNoTools = std::string(kNameSpace) + "\\-{D20EA4E1-3957-11d2-A40B-0C5020524153}";
constexpr const char* kPrograms = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Programs";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Every value of the page, in Save order (the toggle's keys apart).
const Setting kValues[] = {
    {HKCU, kPrograms, "NoDefaultPrograms"},     {HKCU, kPrograms, "NoGetPrograms"},
    {HKCU, kPrograms, "NoInstalledUpdates"},    {HKCU, kPrograms, "NoProgramsAndFeatures"},
    {HKCU, kPrograms, "NoProgramsCPL"},         {HKCU, kPrograms, "NoWindowsFeatures"},
    {HKCU, kPrograms, "NoWindowsMarketplace"},  {HKCU, kExplorer, "ForceClassicControlPanel"},
    {HKCU, kExplorer, "NoControlPanel"},        {HKCU, kExplorer, "NoAddPrinter"},
    {HKCU, kExplorer, "NoDeletePrinter"},       {HKCU, kExplorer, "NoThemesTab"},
    {HKCU, kExplorer, "NoChangeAnimation"},     {HKCU, kSystem, "NoDispSettingsPage"},
    {HKCU, kSystem, "NoDispCPL"},               {HKCU, kSystem, "NoDispScrSavPage"},
    {HKCU, kSystem, "NoDispBackgroundPage"},    {HKCU, kSystem, "NoDispAppearancePage"},
    {HKCU, kSystem, "NoVisualStyleChoice"},     {HKCU, kSystem, "NoColorChoice"},
    {HKCU, kSystem, "NoSizeChoice"},
};

std::vector<WatchedKey> Watched() {
  std::vector<WatchedKey> keys = WatchedKeysOf(kValues);
  keys.push_back({HKLM, kNameSpace, {}});  // Windows has it; the test's subkeys go with it
  return keys;
}

bool Native(const std::string& path) { return KeyExists(HKLM, path, KEY_WOW64_64KEY); }
bool Wow(const std::string& path) { return KeyExists(HKLM, path, KEY_WOW64_32KEY); }

class ControlPanelTest : public SecurityPageTest {
 protected:
  FrmControlPanel& Page() { return *frmControlPanel; }
  void Load() { Page().Check3[3].Value(); }  // the first touch loads the page hidden
  std::string Ticked() { return TickedBoxes(Page(), {"Check3", "Check4", "Check5", "Check6", "Check7"}); }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command54_Click();
  }

  ScopedRegistryValues registry{Watched()};
};

class ControlPanelReading : public ControlPanelTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(ControlPanelReading, TicksTheBoxesOfTheSettingsInForce) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Ticked(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ControlPanelReading,
    testing::Values(
        ReadCase{"NothingSet", [] {}, ""},
        ReadCase{"AnyNumberButZero",
                 [] {
                   PutDword(HKCU, kPrograms, "NoGetPrograms", 2);
                   PutDword(HKCU, kExplorer, "ForceClassicControlPanel", 1);
                   PutDword(HKCU, kExplorer, "NoThemesTab", 0);
                   PutDword(HKCU, kSystem, "NoSizeChoice", 0xFFFFFFFF);
                 },
                 "Check3(7) Check4(1) Check7(3) "},
        ReadCase{"ToolsShown", [] { RegKey::Create(HKLM, kTools, KEY_WOW64_64KEY); }, "Check3(3) "},
        // Only the counterpart, or the entry in the 32-bit view only: not shown.
        ReadCase{"ToolsHidden", [] { RegKey::Create(HKLM, kNoTools, KEY_WOW64_64KEY); }, ""},
        ReadCase{"ToolsOnlyIn32BitView", [] { RegKey::Create(HKLM, kTools, KEY_WOW64_32KEY); }, ""}),
    CaseName);

TEST_F(ControlPanelTest, SaveWritesEveryBoxAndCreatesAPolicyKeyOnlyForATickedBox) {
  PutDword(HKCU, kExplorer, "NoAddPrinter", 2);  // read ticked: written back as 1
  PutDword(HKCU, kExplorer, "ForceClassicControlPanel", 1);
  Load();
  Page().Check3[7].SetValue(0);  // cleared: the value goes
  Page().Check6[1].SetValue(1);  // the display policy key is made for it
  Save();

  // The Programs key stays absent: no box of it is ticked.
  EXPECT_FALSE(KeyExists(HKCU, kPrograms));
  EXPECT_EQ(Dump(kValues),
            "NoDefaultPrograms=missing\n"
            "NoGetPrograms=missing\n"
            "NoInstalledUpdates=missing\n"
            "NoProgramsAndFeatures=missing\n"
            "NoProgramsCPL=missing\n"
            "NoWindowsFeatures=missing\n"
            "NoWindowsMarketplace=missing\n"
            "ForceClassicControlPanel=missing\n"
            "NoControlPanel=dword:0\n"
            "NoAddPrinter=dword:1\n"
            "NoDeletePrinter=dword:0\n"
            "NoThemesTab=dword:0\n"
            "NoChangeAnimation=dword:0\n"
            "NoDispSettingsPage=missing\n"
            "NoDispCPL=dword:1\n"
            "NoDispScrSavPage=missing\n"
            "NoDispBackgroundPage=missing\n"
            "NoDispAppearancePage=missing\n"
            "NoVisualStyleChoice=missing\n"
            "NoColorChoice=missing\n"
            "NoSizeChoice=missing\n");
  // The clear toggle made the counterpart, in the native view only.
  EXPECT_EQ(StoredValue(HKLM, kNoTools, ""), "sz:Administrative Tools");
  EXPECT_FALSE(Native(kTools));
  EXPECT_FALSE(Wow(kNoTools));

  ExpectOneMessage(LoadResString(77));
  EXPECT_TRUE(RestartNeeded);
  EXPECT_TRUE(Page().Loaded()) << "the page stays open";
}

// The Explorer policy key is made by the first writer for the one ticked box; the second
// writer's clear boxes of that key write nothing into it.
TEST_F(ControlPanelTest, APolicyKeyMadeForOneBoxGetsNoOtherValueInThatSave) {
  Load();
  Page().Check3[5].SetValue(1);
  Save();
  EXPECT_FALSE(KeyExists(HKCU, kPrograms));
  EXPECT_FALSE(KeyExists(HKCU, kSystem));
  EXPECT_EQ(Dump(std::span(kValues).subspan(7, 6)),
            "ForceClassicControlPanel=missing\n"
            "NoControlPanel=dword:1\n"
            "NoAddPrinter=missing\n"
            "NoDeletePrinter=missing\n"
            "NoThemesTab=missing\n"
            "NoChangeAnimation=missing\n");
  ExpectOneMessage(LoadResString(77));
}

TEST_F(ControlPanelTest, TheAdministrativeToolsEntrySwitchesInTheNativeViewOnly) {
  RegKey::Create(HKLM, kNoTools, KEY_WOW64_64KEY).WriteString("", "old");
  Load();
  Page().Check3[3].SetValue(1);
  Save();
  EXPECT_TRUE(Native(kTools));
  EXPECT_FALSE(Native(kNoTools));
  EXPECT_EQ(StoredValue(HKLM, kTools, ""), "sz:Administrative Tools");
  EXPECT_FALSE(Wow(kTools));
  EXPECT_EQ(dialogs.MessageBoxes().back().text, LoadResString(77));
}

TEST_F(ControlPanelTest, AnEntryThatCannotBeDeletedIsNamedAndStillShown) {
  RegKey::Create(HKLM, kTools + "\\Child", KEY_WOW64_64KEY);
  Load();
  ASSERT_EQ(Page().Check3[3].Value(), 1);
  Page().Check3[3].SetValue(0);
  Save();
  EXPECT_TRUE(Native(kTools));
  EXPECT_TRUE(Native(kNoTools));
  ExpectOneMessage(NotSavedText({483}), MB_ICONEXCLAMATION);
  EXPECT_TRUE(RestartNeeded);

  Page().Command1_Click();
  Load();
  EXPECT_EQ(Page().Check3[3].Value(), 1) << "the entry is still there";
}

TEST_F(ControlPanelTest, CaptionsAndTheHiddenBoxes) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(76));
  EXPECT_EQ(Page().Check6[5].ToolTipText(), LoadResString(1135));
  EXPECT_EQ(Page().Check3[4].Caption(), LoadResString(240));
  EXPECT_EQ(Page().Check3[4].ToolTipText(), LoadResString(724));
  EXPECT_EQ(Page().Check4[7].Caption(), LoadResString(323));
  EXPECT_EQ(Page().Check4[8].Caption(), LoadResString(325));
  for (ui::CheckBox* hidden : {&Page().Check3[4], &Page().Check4[7], &Page().Check4[8]})
    EXPECT_FALSE(hidden->Visible());
  EXPECT_TRUE(Page().Check4[6].Visible());
}

}  // namespace
