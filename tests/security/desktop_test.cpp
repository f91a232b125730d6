// The Desktop and Explorer page against the real registry of the test prefix.
#include <functional>

#include "page_fixture.h"
#include "security/frmDesktop.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kSidebar = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Windows\\Sidebar";
constexpr const char* kDwm = "Software\\Policies\\Microsoft\\Windows\\DWM";
constexpr const char* kUpdate = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WindowsUpdate";
constexpr const char* kSound = "Software\\Policies\\Microsoft\\SoundRecorder";
constexpr const char* kMedia = "Software\\Policies\\Microsoft\\WindowsMediaCenter";
constexpr const char* kProjector = "Software\\Policies\\Microsoft\\NetworkProjector";
constexpr const char* kErrors = "Software\\Policies\\Microsoft\\Windows\\Windows Error Reporting";
constexpr const char* kDep = "SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer";
constexpr const char* kAppCompat = "SOFTWARE\\Policies\\Microsoft\\Windows\\AppCompat";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kScreenSaver = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop";
constexpr const char* kWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

const Setting kValues[] = {
    {HKCU, kSidebar, "TurnOffSidebar"},
    {HKCU, kDwm, "DisallowAnimations"},
    {HKCU, kUpdate, "DisableWindowsUpdateAccess"},
    {HKCU, kUpdate, "DisableWindowsUpdateAccessMode"},
    {HKCU, kSound, "Soundrec"},
    {HKCU, kMedia, "MediaCenter"},
    {HKCU, kProjector, "DisableNetworkProjector"},
    {HKCU, kErrors, "Disabled"},
    {HKLM, kDep, "NoDataExecutionPrevention"},
    {HKLM, kAppCompat, "DisableUAR"},
    {HKCU, kExplorer, "NoViewContextMenu"},
    {HKCU, kExplorer, "NoDFSTab"},
    {HKCU, kExplorer, "NoSecurityTab"},
    {HKCU, kExplorer, "NoHardwareTab"},
    {HKCU, kExplorer, "NoToolbarCustomize"},
    {HKCU, kExplorer, "NoDesktop"},
    {HKCU, kExplorer, "NoBandCustomize"},
    {HKCU, kExplorer, "NoFileMenu"},
    {HKCU, kExplorer, "NoNetHood"},
    {HKCU, kExplorer, "NoFolderOptions"},
    {HKCU, kExplorer, "NoPropertiesMyComputer"},
    {HKCU, kExplorer, "NoFileAssociate"},
    {HKCU, kScreenSaver, "ScreenSaveActive"},
    {HKCU, kWindows, "SecureDesktop"},
};

class DesktopTest : public SecurityPageTest {
 protected:
  FrmDesktop& Page() { return *frmDesktop; }
  void Load() { Page().Check8[1].Value(); }
  std::string Ticked() { return TickedBoxes(Page(), {"Check1", "Check2", "Check8"}); }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command53_Click();
  }

  ScopedRegistryValues registry{WatchedKeysOf(kValues)};
};

class DesktopReading : public DesktopTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(DesktopReading, TicksTheBoxesOfTheSettingsInForce) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Ticked(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DesktopReading,
    testing::Values(
        ReadCase{"NothingSet", [] {}, ""},
        // The text "1" and its terminator read as a number that is not 0.
        ReadCase{"ScreenSaverAsText",
                 [] { platform::RegKey::Create(HKCU, kScreenSaver, KEY_WOW64_64KEY).WriteString("ScreenSaveActive", "1"); },
                 "Check8(1) "},
        ReadCase{"WindowsUpdateFromTheFirstValueOnly",
                 [] { PutDword(HKCU, kUpdate, "DisableWindowsUpdateAccessMode", 1); }, ""},
        ReadCase{"WindowsUpdateAccessTwo", [] { PutDword(HKCU, kUpdate, "DisableWindowsUpdateAccess", 2); },
                 "Check2(7) "},
        ReadCase{"MachineAndUserPolicies",
                 [] {
                   PutDword(HKLM, kAppCompat, "DisableUAR", 1);
                   PutDword(HKCU, kExplorer, "NoNetHood", 3);
                   SetDword(HKCU, kWindows, "SecureDesktop", 1);
                 },
                 "Check1(27) Check8(2) Check8(10) "}),
    CaseName);

TEST_F(DesktopTest, SaveWritesEveryRowAsShown) {
  PutDword(HKCU, kUpdate, "DisableWindowsUpdateAccessMode", 1);  // the box is clear: both go
  PutDword(HKCU, kExplorer, "NoFileMenu", 2);
  PutDword(HKCU, kProjector, "DisableNetworkProjector", 1);
  Load();
  Page().Check2[8].SetValue(1);   // its policy key is made for it
  Page().Check1[25].SetValue(1);  // likewise, in the machine's policies
  Page().Check8[2].SetValue(1);
  Page().Check2[5].SetValue(0);   // cleared: the value goes
  Save();
  EXPECT_EQ(Dump(kValues),
            "TurnOffSidebar=missing\n"
            "DisallowAnimations=dword:1\n"
            "DisableWindowsUpdateAccess=missing\n"
            "DisableWindowsUpdateAccessMode=missing\n"
            "Soundrec=missing\n"
            "MediaCenter=missing\n"
            "DisableNetworkProjector=missing\n"
            "Disabled=missing\n"
            "NoDataExecutionPrevention=dword:1\n"
            "DisableUAR=missing\n"
            "NoViewContextMenu=dword:0\n"
            "NoDFSTab=dword:0\n"
            "NoSecurityTab=dword:0\n"
            "NoHardwareTab=dword:0\n"
            "NoToolbarCustomize=dword:0\n"
            "NoDesktop=dword:0\n"
            "NoBandCustomize=dword:0\n"
            "NoFileMenu=dword:1\n"
            "NoNetHood=dword:0\n"
            "NoFolderOptions=dword:0\n"
            "NoPropertiesMyComputer=dword:0\n"
            "NoFileAssociate=dword:0\n"
            "ScreenSaveActive=missing\n"
            "SecureDesktop=dword:1\n");
  ExpectOneMessage(LoadResString(107));
  EXPECT_TRUE(RestartNeeded);

  // Ticked, Windows Update access writes its two values.
  Page().Check2[7].SetValue(1);
  Save();
  EXPECT_EQ(StoredValue(HKCU, kUpdate, "DisableWindowsUpdateAccess"), "dword:1");
  EXPECT_EQ(StoredValue(HKCU, kUpdate, "DisableWindowsUpdateAccessMode"), "dword:0");
}

TEST_F(DesktopTest, AMissingWindowsKeyIsNamedNotCreatedAndTheOthersAreWritten) {
  registry.MakeMissing(HKCU, kWindows);
  PutDword(HKCU, kExplorer, "NoDesktop", 1);
  Load();
  Page().Check8[2].SetValue(1);
  Save();
  EXPECT_FALSE(KeyExists(HKCU, kWindows));
  EXPECT_EQ(StoredValue(HKCU, kExplorer, "NoDesktop"), "dword:1");
  ExpectOneMessage(NotSavedText({458}), MB_ICONEXCLAMATION);
}

TEST_F(DesktopTest, Captions) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(106));
  EXPECT_EQ(Page().Check1[27].Caption(), LoadResString(390));
  EXPECT_EQ(Page().Check8[7].ToolTipText(), LoadResString(1133));
}

}  // namespace
