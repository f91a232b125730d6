// The System page against the real registry of the test prefix.
#include <functional>

#include "page_fixture.h"
#include "security/frmSystem.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kLsa = "System\\CurrentControlSet\\Control\\Lsa";
constexpr const char* kRestore = "Software\\Policies\\Microsoft\\Windows NT\\SystemRestore";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kGroupPolicy = "Software\\Policies\\Microsoft\\Windows\\System";
constexpr const char* kCrash = "System\\CurrentControlSet\\Control\\CrashControl";
constexpr const char* kScripts = "Software\\Microsoft\\Windows Script Host\\Settings";
constexpr const char* kSession = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPower = "Software\\Policies\\Microsoft\\Windows\\System\\Power";
constexpr const char* kEventLog = "System\\CurrentControlSet\\Services\\EventLog";
constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

const Setting kValues[] = {
    {HKLM, kLsa, "DisableDomainCreds"},   {HKLM, kRestore, "DisableConfig"},
    {HKLM, kRestore, "DisableSR"},        {HKLM, kWinlogon, "AllocateDASD"},
    {HKLM, kWinlogon, "AllocateFloppies"}, {HKLM, kWinlogon, "AllocateCDRoms"},
    {HKLM, kWinlogon, "AutoRestartShell"}, {HKLM, kGroupPolicy, "DisableGPO"},
    {HKLM, kCrash, "AutoReboot"},         {HKCU, kScripts, "TrustPolicy"},
    {HKLM, kSession, "ProtectionMode"},   {HKLM, kPower, "PromptPasswordOnResume"},
    {HKLM, kEventLog, "RestrictGuestAccess"}, {HKLM, kExplorer, "NoCDBurning"},
};

class SystemPageTest : public SecurityPageTest {
 protected:
  FrmSystem& Page() { return *frmSystem; }
  void Load() { Page().Check12[1].Value(); }
  std::string Ticked() { return TickedBoxes(Page(), {"Check12"}); }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command52_Click();
  }

  ScopedRegistryValues registry{WatchedKeysOf(kValues)};
};

class SystemPageReading : public SystemPageTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(SystemPageReading, TicksTheBoxesOfTheSettingsInForce) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Ticked(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SystemPageReading,
    testing::Values(
        ReadCase{"NothingSet", [] {}, ""},
        ReadCase{"SystemRestoreBothOne",
                 [] {
                   PutDword(HKLM, kRestore, "DisableConfig", 1);
                   PutDword(HKLM, kRestore, "DisableSR", 1);
                 },
                 "Check12(1) "},
        ReadCase{"SystemRestoreOneOfTwo", [] { PutDword(HKLM, kRestore, "DisableConfig", 1); }, ""},
        ReadCase{"SystemRestoreTwo",
                 [] {
                   PutDword(HKLM, kRestore, "DisableConfig", 2);
                   PutDword(HKLM, kRestore, "DisableSR", 1);
                 },
                 ""},
        ReadCase{"DriveTexts",
                 [] {
                   SetText(HKLM, kWinlogon, "AllocateDASD", "0");
                   SetText(HKLM, kWinlogon, "AllocateFloppies", "1");
                   SetText(HKLM, kWinlogon, "AllocateCDRoms", "2");
                 },
                 "Check12(2) Check12(6) "},
        ReadCase{"RemovableDrivesForAdministratorsOnlyIsNotTicked",
                 [] { SetText(HKLM, kWinlogon, "AllocateDASD", "1"); }, ""},
        ReadCase{"AnyNumberButZero",
                 [] {
                   SetDword(HKLM, kCrash, "AutoReboot", 2);
                   SetDword(HKLM, kLsa, "DisableDomainCreds", 1);
                   SetDword(HKLM, kSession, "ProtectionMode", 0);
                 },
                 "Check12(4) Check12(13) "}),
    CaseName);

TEST_F(SystemPageTest, SaveRewritesEveryRowAsShown) {
  SetText(HKLM, kWinlogon, "AllocateDASD", "1");  // clear: becomes "2"
  SetDword(HKLM, kCrash, "AutoReboot", 2);           // ticked: becomes 1
  PutDword(HKLM, kRestore, "DisableConfig", 1);      // the box is clear: both values go
  Load();
  Page().Check12[7].SetValue(1);
  Page().Check12[10].SetValue(1);  // the power policy key is made for it
  Save();
  EXPECT_EQ(Dump(kValues),
            "DisableDomainCreds=dword:0\n"
            "DisableConfig=missing\n"
            "DisableSR=missing\n"
            "AllocateDASD=sz:2\n"
            "AllocateFloppies=sz:0\n"
            "AllocateCDRoms=sz:1\n"
            "AutoRestartShell=dword:0\n"
            "DisableGPO=missing\n"
            "AutoReboot=dword:1\n"
            "TrustPolicy=dword:0\n"
            "ProtectionMode=dword:0\n"
            "PromptPasswordOnResume=dword:1\n"
            "RestrictGuestAccess=dword:0\n"
            "NoCDBurning=missing\n");
  ExpectOneMessage(LoadResString(520));
  EXPECT_TRUE(RestartNeeded);

  // Ticked, System Restore writes both of its values into the policy key.
  Page().Check12[1].SetValue(1);
  Save();
  EXPECT_EQ(StoredValue(HKLM, kRestore, "DisableConfig"), "dword:1");
  EXPECT_EQ(StoredValue(HKLM, kRestore, "DisableSR"), "dword:1");
}

TEST_F(SystemPageTest, AMissingCrashControlKeyIsNamedNotCreatedAndTheOthersAreWritten) {
  registry.MakeMissing(HKLM, kCrash);
  Load();
  Page().Check12[4].SetValue(1);
  Save();
  EXPECT_FALSE(KeyExists(HKLM, kCrash));
  EXPECT_EQ(StoredValue(HKLM, kEventLog, "RestrictGuestAccess"), "dword:0");
  ExpectOneMessage(NotSavedText({380}), MB_ICONEXCLAMATION);
}

TEST_F(SystemPageTest, Captions) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(510));
  EXPECT_EQ(Page().Check12[13].Caption(), LoadResString(151));
  EXPECT_EQ(Page().Check12[12].ToolTipText(), LoadResString(853));
}

}  // namespace
