// The User Account Control page against the machine's real policy key in the test prefix,
// including the key made unreadable by its DACL.
#include <functional>

#include "page_fixture.h"
#include "platform/registry.h"
#include "security/frmUAC.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"

namespace {

using platform::RegKey;

constexpr const char* kSystem = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

const Setting kValues[] = {
    {HKLM, kSystem, "EnableLUA"},
    {HKLM, kSystem, "EnableInstallerDetection"},
    {HKLM, kSystem, "PromptOnSecureDesktop"},
    {HKLM, kSystem, "EnableVirtualization"},
    {HKLM, kSystem, "ConsentPromptBehaviorAdmin"},
    {HKLM, kSystem, "ConsentPromptBehaviorUser"},
};

// The six values, as Windows 7 stores them by default.
void WindowsDefaults() {
  for (const char* name : {"EnableLUA", "EnableInstallerDetection", "PromptOnSecureDesktop", "EnableVirtualization"})
    SetDword(HKLM, kSystem, name, 1);
  SetDword(HKLM, kSystem, "ConsentPromptBehaviorAdmin", 5);
  SetDword(HKLM, kSystem, "ConsentPromptBehaviorUser", 3);
}

class UacTest : public SecurityPageTest {
 protected:
  FrmUAC& Page() { return *frmUAC; }
  void Load() { Page().Check24->Value(); }
  std::string Shown() {
    std::string s = TickedBoxes(Page(), {"Check24", "Check25"});
    for (const char* name : {"Option3", "Option4", "Option5", "Option8", "Option1", "Option2", "Option6",
                             "Option7", "Option9"})
      if (Page().Get<ui::OptionButton>(name).Value()) s += std::string(name) + " ";
    return s;
  }
  void Save() {
    dialogs.AnswerMessageBox(IDOK);
    Page().Command29_Click();
  }

  ScopedRegistryValues registry{WatchedKeysOf(kValues)};
};

class UacReading : public UacTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(UacReading, ShowsTheValuesOfThePolicyKey) {
  GetParam().arrange();
  Load();
  EXPECT_EQ(Shown(), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UacReading,
    testing::Values(
        // A fresh prefix: EnableLUA 0 and no behaviour values.
        ReadCase{"UacOffNoBehaviour", [] { SetDword(HKLM, kSystem, "EnableLUA", 0); }, "Check24 Option3 Option6 "},
        ReadCase{"NothingStored", [] {}, "Check24 Option3 Option6 "},
        ReadCase{"WindowsDefaults", WindowsDefaults, "Check25(0) Check25(4) Check25(5) Option2 Option9 "},
        ReadCase{"LuaTwo",
                 [] {
                   WindowsDefaults();
                   SetDword(HKLM, kSystem, "EnableLUA", 2);
                 },
                 "Check24 Check25(0) Check25(4) Check25(5) Option2 Option9 "},
        ReadCase{"NoOptionForTheValues",
                 [] {
                   WindowsDefaults();
                   SetDword(HKLM, kSystem, "ConsentPromptBehaviorAdmin", 7);
                   SetDword(HKLM, kSystem, "ConsentPromptBehaviorUser", 2);
                 },
                 "Check25(0) Check25(4) Check25(5) "},
        ReadCase{"CredentialsOnTheSecureDesktop",
                 [] {
                   WindowsDefaults();
                   SetDword(HKLM, kSystem, "ConsentPromptBehaviorAdmin", 1);
                   SetDword(HKLM, kSystem, "ConsentPromptBehaviorUser", 1);
                 },
                 "Check25(0) Check25(4) Check25(5) Option4 Option7 "}),
    CaseName);

TEST_F(UacTest, SaveWritesTheRowsAsShownAndLeavesAGroupWithoutASelection) {
  WindowsDefaults();
  SetDword(HKLM, kSystem, "ConsentPromptBehaviorAdmin", 7);
  Load();
  Page().Check25[4].SetValue(0);
  Page().Option6->SetValue(true);
  Save();
  EXPECT_EQ(Dump(kValues),
            "EnableLUA=dword:1\n"
            "EnableInstallerDetection=dword:1\n"
            "PromptOnSecureDesktop=dword:0\n"
            "EnableVirtualization=dword:1\n"
            "ConsentPromptBehaviorAdmin=dword:7\n"
            "ConsentPromptBehaviorUser=dword:0\n");
  ExpectOneMessage(LoadResString(588));
  EXPECT_TRUE(RestartNeeded);
  EXPECT_TRUE(Page().Loaded());
}

// What the page shows for a key it cannot read is a guess that would switch User Account
// Control off: none of it is written, and each setting is named.
TEST_F(UacTest, AKeyThatCannotBeReadIsNotWrittenAndItsSettingsAreNamed) {
  WindowsDefaults();
  {
    ScopedQueryDenied denied(HKLM, kSystem);
    ASSERT_TRUE(denied.Applied());
    Load();
    EXPECT_TRUE(dialogs.MessageBoxes().empty()) << "loading shows no message";
    EXPECT_EQ(Shown(), "Check24 Option3 Option6 ");
    Save();
    ExpectOneMessage(NotSavedText({155, 108, 509, 591, 372, 373}), MB_ICONEXCLAMATION);
    EXPECT_TRUE(RestartNeeded);
  }
  EXPECT_EQ(Dump(kValues),
            "EnableLUA=dword:1\n"
            "EnableInstallerDetection=dword:1\n"
            "PromptOnSecureDesktop=dword:1\n"
            "EnableVirtualization=dword:1\n"
            "ConsentPromptBehaviorAdmin=dword:5\n"
            "ConsentPromptBehaviorUser=dword:3\n");
}

// A value stored with another type than REG_DWORD is not read: what the page shows for it
// is a guess, so an unchanged Save leaves it as it is and names it; the others are written.
struct TypeCase {
  const char* name;
  const char* value;
  DWORD type;
  std::string data;
  const char* dump;  // every value after an unchanged Save
  int named;         // the caption of the setting not saved
};

class UacValueOfAnotherType : public UacTest, public testing::WithParamInterface<TypeCase> {};

TEST_P(UacValueOfAnotherType, IsLeftAsItIsAndNamed) {
  const TypeCase& c = GetParam();
  WindowsDefaults();
  ASSERT_EQ(RegSetValueExA(RegKey(HKLM, kSystem, KEY_SET_VALUE | KEY_WOW64_64KEY).Handle(), c.value, 0, c.type,
                           reinterpret_cast<const BYTE*>(c.data.data()), static_cast<DWORD>(c.data.size())),
            ERROR_SUCCESS);
  Load();
  Save();
  EXPECT_EQ(Dump(kValues), c.dump);
  ExpectOneMessage(NotSavedText({c.named}), MB_ICONEXCLAMATION);
  EXPECT_TRUE(RestartNeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UacValueOfAnotherType,
    testing::Values(
        // Read as the number 49, the text "1" shows "Disable User Account Control" ticked.
        TypeCase{"EnableLuaAsText", "EnableLUA", REG_SZ, std::string("1", 2),
                 "EnableLUA=sz:1\n"
                 "EnableInstallerDetection=dword:1\n"
                 "PromptOnSecureDesktop=dword:1\n"
                 "EnableVirtualization=dword:1\n"
                 "ConsentPromptBehaviorAdmin=dword:5\n"
                 "ConsentPromptBehaviorUser=dword:3\n",
                 155},
        TypeCase{"AdminBehaviourAsBinary", "ConsentPromptBehaviorAdmin", REG_BINARY, std::string("\0\0\0\0", 4),
                 "EnableLUA=dword:1\n"
                 "EnableInstallerDetection=dword:1\n"
                 "PromptOnSecureDesktop=dword:1\n"
                 "EnableVirtualization=dword:1\n"
                 "ConsentPromptBehaviorAdmin=binary:00000000\n"
                 "ConsentPromptBehaviorUser=dword:3\n",
                 372}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UacTest, Captions) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(603));
  EXPECT_EQ(Page().Option2->Caption(), LoadResString(1139));
  EXPECT_EQ(Page().Option9->ToolTipText(), LoadResString(1143));
  EXPECT_EQ(Page().Get<ui::Label>("Label17").ToolTipText(), LoadResString(866));
}

}  // namespace
