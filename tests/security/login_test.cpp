// The Login and Authentication page against the real registry of the test prefix.
#include <functional>

#include "page_fixture.h"
#include "security/frmLoginAuth.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kLowerSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\system";
constexpr const char* kRecovery = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Setup\\RecoveryConsole";
constexpr const char* kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kNetwork = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

const Setting kValues[] = {
    {HKLM, kLowerSystem, "ShutdownWithoutLogon"},
    {HKLM, kLowerSystem, "VerboseStatus"},
    {HKLM, kLowerSystem, "DisableStatusMessages"},
    {HKLM, kLowerSystem, "UndockWithoutLogon"},
    {HKLM, kLowerSystem, "DisableLockWorkstation"},
    {HKLM, kLowerSystem, "DontDisplayLastUserName"},
    {HKLM, kRecovery, "SecurityLevel"},
    {HKCU, kInternet, "DisablePasswordCaching"},
    {HKLM, kNetwork, "DisablePwdCaching"},
    {HKLM, kNetwork, "AlphanumPwds"},
    {HKLM, kWinlogon, "IgnoreShiftOverride"},
    {HKLM, kWinlogon, "ForceUnlockLogon"},
    {HKLM, kSystem, "DisableCAD"},
};

class LoginTest : public SecurityPageTest {
 protected:
  FrmLoginAuth& Page() { return *frmLoginAuth; }
  void Load() { Page().Check9[1].Value(); }
  std::string Ticked() { return TickedBoxes(Page(), {"Check9"}); }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command55_Click();
  }

  ScopedRegistryValues registry{WatchedKeysOf(kValues)};
};

class LoginReading : public LoginTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(LoginReading, TicksTheBoxesOfTheSettingsInForce) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Ticked(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LoginReading,
    testing::Values(
        // Ctrl+Alt+Delete is required while "DisableCAD" is 0, missing included.
        ReadCase{"NothingSet", [] {}, "Check9(11) "},
        ReadCase{"CtrlAltDeleteOff", [] { SetDword(HKLM, kSystem, "DisableCAD", 1); }, ""},
        ReadCase{"CtrlAltDeleteTwo", [] { SetDword(HKLM, kSystem, "DisableCAD", 2); }, ""},
        ReadCase{"ShiftOverrideOne", [] { SetText(HKLM, kWinlogon, "IgnoreShiftOverride", "1"); }, "Check9(10) Check9(11) "},
        ReadCase{"ShiftOverrideOneAndBlank", [] { SetText(HKLM, kWinlogon, "IgnoreShiftOverride", "1 "); }, "Check9(11) "},
        ReadCase{"ShiftOverrideEmpty", [] { SetText(HKLM, kWinlogon, "IgnoreShiftOverride", ""); }, "Check9(11) "},
        ReadCase{"VerboseFromItsFirstValue",
                 [] {
                   SetDword(HKLM, kSystem, "DisableCAD", 1);
                   SetDword(HKLM, kLowerSystem, "VerboseStatus", 2);
                   SetDword(HKLM, kLowerSystem, "DisableStatusMessages", 1);
                 },
                 "Check9(6) "},
        ReadCase{"MachineAndUserKeys",
                 [] {
                   SetDword(HKLM, kSystem, "DisableCAD", 1);
                   SetDword(HKCU, kInternet, "DisablePasswordCaching", 1);
                   SetDword(HKLM, kRecovery, "SecurityLevel", 1);
                   PutDword(HKLM, kNetwork, "AlphanumPwds", 1);
                 },
                 "Check9(1) Check9(2) Check9(8) "}),
    CaseName);

TEST_F(LoginTest, SaveWritesEveryRowAsShown) {
  SetDword(HKLM, kLowerSystem, "DisableStatusMessages", 1);
  SetDword(HKLM, kSystem, "DisableCAD", 2);  // clear: becomes 1
  Load();
  Page().Check9[6].SetValue(1);
  Page().Check9[10].SetValue(1);
  Page().Check9[7].SetValue(1);  // the network policy key is made for it
  Save();
  EXPECT_EQ(Dump(kValues),
            "ShutdownWithoutLogon=dword:0\n"
            "VerboseStatus=dword:1\n"
            "DisableStatusMessages=dword:0\n"
            "UndockWithoutLogon=dword:0\n"
            "DisableLockWorkstation=dword:0\n"
            "DontDisplayLastUserName=dword:0\n"
            "SecurityLevel=dword:0\n"
            "DisablePasswordCaching=dword:0\n"
            "DisablePwdCaching=dword:1\n"
            "AlphanumPwds=missing\n"
            "IgnoreShiftOverride=sz:1\n"
            "ForceUnlockLogon=dword:0\n"
            "DisableCAD=dword:1\n");
  ExpectOneMessage(LoadResString(289));
  EXPECT_TRUE(RestartNeeded);

  // Cleared, verbose status writes 0 and still never switches status messages off.
  Page().Check9[6].SetValue(0);
  Save();
  EXPECT_EQ(StoredValue(HKLM, kLowerSystem, "VerboseStatus"), "dword:0");
  EXPECT_EQ(StoredValue(HKLM, kLowerSystem, "DisableStatusMessages"), "dword:0");
}

TEST_F(LoginTest, AMissingRecoveryConsoleKeyIsNamedNotCreatedAndTheOthersAreWritten) {
  registry.MakeMissing(HKLM, kRecovery);
  Load();
  Page().Check9[1].SetValue(1);
  Save();
  EXPECT_FALSE(KeyExists(HKLM, kRecovery));
  EXPECT_EQ(StoredValue(HKLM, kWinlogon, "ForceUnlockLogon"), "dword:0");
  EXPECT_EQ(StoredValue(HKLM, kSystem, "DisableCAD"), "dword:0");
  ExpectOneMessage(NotSavedText({38}), MB_ICONEXCLAMATION);
}

TEST_F(LoginTest, CaptionsWithTheToolTipOfStringZero) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(288));
  EXPECT_EQ(Page().Check9[1].Caption(), LoadResString(38));
  ASSERT_FALSE(LoadResString(0).empty());
  EXPECT_EQ(Page().Check9[1].ToolTipText(), LoadResString(0));
  EXPECT_EQ(Page().Check9[11].ToolTipText(), LoadResString(893));
}

}  // namespace
