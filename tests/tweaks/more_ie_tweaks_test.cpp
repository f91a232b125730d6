// The More IE Tweaks dialog against the real registry: each button for Internet Explorer 6,
// 7 and 9, the version-7 policy keys made by the button, and a browser key that is missing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/scoped_registry_values.h"
#include "tweaks/IE3.h"

namespace {

constexpr const char* kBandPolicy =
    "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SECURITYBAND";
constexpr const char* kBand = "SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SECURITYBAND";
constexpr const char* kSecurityPolicy = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Security";
constexpr const char* kSecurity = "SOFTWARE\\Microsoft\\Internet Explorer\\Security";
const std::vector<std::string> kBandValues = {"(Reserved)", "explorer.exe", "iexplore.exe"};

// The values of both places, as one text: the policy keys first.
std::string Stored() {
  std::string s;
  for (const char* key : {kBandPolicy, kBand}) {
    for (const std::string& name : kBandValues) s += StoredValue(HKEY_LOCAL_MACHINE, key, name) + " ";
    s += "| ";
  }
  for (const char* key : {kSecurityPolicy, kSecurity})
    s += StoredValue(HKEY_LOCAL_MACHINE, key, "DisableSecuritySettingsCheck") + " | ";
  return s;
}

struct ButtonCase {
  const char* name;
  int version;
  int button;  // 1 to 4
  const char* stored;
  int message;  // 0: none
};

class MoreIETweaksTest : public testing::Test {
 protected:
  void TearDown() override {
    IE3->Unload();
    IEMajorVersion = 0;
  }
  // Windows 7 has both browser keys; the policy keys appear when a policy is set.
  ScopedRegistryValues registry{{
      {HKEY_LOCAL_MACHINE, kBandPolicy, kBandValues, false},
      {HKEY_LOCAL_MACHINE, kBand, kBandValues},
      {HKEY_LOCAL_MACHINE, kSecurityPolicy, {"DisableSecuritySettingsCheck"}, false},
      {HKEY_LOCAL_MACHINE, kSecurity, {"DisableSecuritySettingsCheck"}},
  }};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

class MoreIETweaks : public MoreIETweaksTest, public testing::WithParamInterface<ButtonCase> {};

void Press(int button) {
  switch (button) {
    case 1: IE3->Command1_Click(); break;
    case 2: IE3->Command2_Click(); break;
    case 3: IE3->Command3_Click(); break;
    case 4: IE3->Command4_Click(); break;
  }
}

TEST_P(MoreIETweaks, EachButtonWritesTheKeysOfTheBrowsersVersion) {
  const ButtonCase& c = GetParam();
  IEMajorVersion = static_cast<int16_t>(c.version);
  if (c.message) dialogs.AnswerMessageBox(IDOK);
  Press(c.button);
  EXPECT_EQ(Stored(), c.stored);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
  if (!c.message) return;
  EXPECT_EQ(boxes[0].text, LoadResString(c.message));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL));
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_TRUE(boxes[0].coloured);
  EXPECT_FALSE(RestartNeeded);
}

constexpr const char* kNothing = "missing missing missing | missing missing missing | missing | missing | ";

INSTANTIATE_TEST_SUITE_P(
    Versions, MoreIETweaks,
    testing::Values(
        ButtonCase{"Ie6Button1", 6, 1, kNothing, 0},
        ButtonCase{"Ie6Button2", 6, 2, kNothing, 0},
        ButtonCase{"Ie6Button3", 6, 3, kNothing, 0},
        ButtonCase{"Ie6Button4", 6, 4, kNothing, 0},
        ButtonCase{"Ie7SecurityCheckOn", 7, 1, "missing missing missing | missing missing missing | dword:0 | missing | ", 257},
        ButtonCase{"Ie7SecurityCheckOff", 7, 2, "missing missing missing | missing missing missing | dword:1 | missing | ", 256},
        ButtonCase{"Ie7InformationBarOn", 7, 3, "sz:1 sz:1 sz:1 | missing missing missing | missing | missing | ", 255},
        ButtonCase{"Ie7InformationBarOff", 7, 4, "sz:0 sz:0 sz:0 | missing missing missing | missing | missing | ", 254},
        ButtonCase{"Ie9SecurityCheckOn", 9, 1, "missing missing missing | missing missing missing | missing | dword:0 | ", 257},
        ButtonCase{"Ie9SecurityCheckOff", 9, 2, "missing missing missing | missing missing missing | missing | dword:1 | ", 256},
        ButtonCase{"Ie9InformationBarOn", 9, 3, "missing missing missing | sz:1 sz:1 sz:1 | missing | missing | ", 255},
        ButtonCase{"Ie9InformationBarOff", 9, 4, "missing missing missing | sz:0 sz:0 sz:0 | missing | missing | ", 254}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MoreIETweaksTest, ANumberIsReplacedByTheText) {
  IEMajorVersion = 9;
  ASSERT_TRUE(platform::RegKey(HKEY_LOCAL_MACHINE, kBand, KEY_SET_VALUE | KEY_WOW64_64KEY)
                  .WriteDword("iexplore.exe", 1));
  dialogs.AnswerMessageBox(IDOK);
  IE3->Command4_Click();
  EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, kBand, "iexplore.exe"), "sz:0");
}

TEST_F(MoreIETweaksTest, AMissingBrowserKeyIsNamedAndNotCreated) {
  IEMajorVersion = 8;
  registry.MakeMissing(HKEY_LOCAL_MACHINE, kSecurity);
  dialogs.AnswerMessageBox(IDOK);
  IE3->Command2_Click();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSecurity));
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "These settings could not be saved to the registry:\r\n\r\nHKEY_LOCAL_MACHINE\\" +
                std::string(kSecurity) + "\\DisableSecuritySettingsCheck");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL));
}

TEST_F(MoreIETweaksTest, TheDialogLoadsItsCaptionsAndClosesWithoutTheMainWindow) {
  IE3->Show();
  EXPECT_EQ(IE3->Caption(), LoadResString(303));
  EXPECT_EQ(IE3->Command3->Caption(), LoadResString(186));
  IE3->Command5_Click();
  EXPECT_FALSE(IE3->Loaded());
  EXPECT_EQ(ui::LoadedFormCount(), 0) << "closing the dialog brought a window back";
}

}  // namespace
