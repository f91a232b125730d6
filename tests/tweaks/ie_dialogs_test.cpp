// The filter dialog and the InPrivate / Tracking Protection dialog of the Internet Explorer
// page against the real registry: by browser version and stored value, the option they
// show, what Save writes, and what they say.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/scoped_registry_values.h"
#include "tweaks/IE2.h"
#include "tweaks/frmInPrivate.h"

namespace {

const std::string kPhishingFilter = "Software\\Microsoft\\Internet Explorer\\PhishingFilter";
const std::string kPrivacy = "Software\\Microsoft\\Internet Explorer\\Safety\\PrivacIE";
const std::string kPrivacyPolicy = "Software\\Policies\\Microsoft\\Internet Explorer\\Safety\\PrivacIE";
const std::string kNotSaved = "These settings could not be saved to the registry:\r\n\r\n";

class IeDialogTest : public testing::Test {
 protected:
  void TearDown() override {
    CloseMainWindow();
    IEMajorVersion = 0;
  }
  void ExpectMessage(const std::string& text, UINT icon) { ExpectOnlyMessageBox(dialogs, text, MB_OK | icon); }
  static void Set(const std::string& key, const char* value, std::optional<DWORD> data) {
    if (data) ASSERT_TRUE(platform::RegKey::Create(HKEY_CURRENT_USER, key, KEY_WOW64_64KEY).WriteDword(value, *data));
  }

  ScopedRegistryValues registry{{{HKEY_CURRENT_USER, kPhishingFilter, {"Enabled", "EnabledV8"}},
                                 {HKEY_CURRENT_USER, kPrivacy, {"StartMode", "LastMode", "ShowFirstRun"}},
                                 {HKEY_CURRENT_USER, kPrivacyPolicy, {"DisableTrackingProtection"}, false}}};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

// The selected option of three, as 1, 2, 3, or 0 for none.
int Selected(ui::OptionButton& a, ui::OptionButton& b, ui::OptionButton* c = nullptr) {
  return a.Value() ? 1 : b.Value() ? 2 : (c && c->Value()) ? 3 : 0;
}

// ---- the filter dialog -----------------------------------------------------------------

struct FilterCase {
  const char* name;
  int16_t version;
  std::optional<DWORD> stored;  // in the version's value
  int selected;                 // 1 to 3, 0 none
  const char* saved;            // the value after Save
};

class FilterDialog : public IeDialogTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(FilterDialog, ShowsTheStoredChoiceAndSaveWritesTheSelectedOne) {
  const FilterCase& c = GetParam();
  IEMajorVersion = c.version;
  const char* value = c.version == 7 ? "Enabled" : "EnabledV8";
  Set(kPhishingFilter, value, c.stored);
  IE2->Show();
  EXPECT_EQ(Selected(*IE2->Option1, *IE2->Option2, &*IE2->Option3), c.selected);
  EXPECT_EQ(IE2->Option3->Visible(), c.version == 7);
  dialogs.AnswerMessageBox(IDOK);
  IE2->Command5_Click();

  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kPhishingFilter, value), c.saved);
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kPhishingFilter, c.version == 7 ? "EnabledV8" : "Enabled"), "missing");
  ExpectMessage(LoadResString(c.version == 7 ? 628 : 1104), MB_ICONINFORMATION);
  EXPECT_FALSE(IE2->Loaded()) << "Save closes the dialog";
  EXPECT_FALSE(RestartNeeded);
}

INSTANTIATE_TEST_SUITE_P(
    VersionsAndValues, FilterDialog,
    testing::Values(FilterCase{"SevenMissing", 7, std::nullopt, 1, "dword:0"},
                    FilterCase{"SevenOff", 7, 0, 1, "dword:0"},
                    FilterCase{"SevenManual", 7, 1, 2, "dword:1"},
                    FilterCase{"SevenAutomatic", 7, 2, 3, "dword:2"},
                    FilterCase{"SevenUnknownWritesNothing", 7, 3, 0, "dword:3"},
                    FilterCase{"EightMissing", 8, std::nullopt, 1, "dword:0"},
                    FilterCase{"EightOn", 8, 1, 2, "dword:1"},
                    FilterCase{"NineTwoIsNoOption", 9, 2, 0, "dword:2"},
                    FilterCase{"NineThree", 9, 3, 0, "dword:3"},
                    FilterCase{"SixOff", 6, 0, 1, "dword:0"},
                    FilterCase{"SixOn", 6, 1, 2, "dword:1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FilterLookCase {
  const char* name;
  int16_t version;
  int frame, first, second, save;
};

class FilterDialogLooks : public IeDialogTest, public testing::WithParamInterface<FilterLookCase> {};

TEST_P(FilterDialogLooks, PhishingOrSmartScreenByVersion) {
  const FilterLookCase& c = GetParam();
  IEMajorVersion = c.version;
  IE2->Show();
  EXPECT_EQ(IE2->Caption(), LoadResString(269));
  EXPECT_EQ(IE2->Frame1->Caption(), LoadResString(c.frame));
  EXPECT_EQ(IE2->Option1->Caption(), LoadResString(c.first));
  EXPECT_EQ(IE2->Option2->Caption(), LoadResString(c.second));
  EXPECT_EQ(IE2->Command5->Caption(), LoadResString(c.save));
  EXPECT_EQ(IE2->Command5->ToolTipText(), LoadResString(873));
}

INSTANTIATE_TEST_SUITE_P(Versions, FilterDialogLooks,
                         testing::Values(FilterLookCase{"Six", 6, 354, 163, 567, 445},
                                         FilterLookCase{"Seven", 7, 354, 163, 567, 445},
                                         FilterLookCase{"Eight", 8, 1105, 1106, 1107, 1108},
                                         FilterLookCase{"Nine", 9, 1105, 1106, 1107, 1108}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IeDialogTest, WithoutTheBrowsersFilterKeyNothingIsCreatedAndTheSettingIsNamed) {
  registry.MakeMissing(HKEY_CURRENT_USER, kPhishingFilter);
  IEMajorVersion = 9;
  IE2->Show();
  EXPECT_TRUE(IE2->Option1->Value()) << "a missing value reads 0";
  dialogs.AnswerMessageBox(IDOK);
  IE2->Command5_Click();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPhishingFilter));
  ExpectMessage(kNotSaved + LoadResString(1105), MB_ICONEXCLAMATION);
  EXPECT_FALSE(IE2->Loaded());
}

// ---- the InPrivate / Tracking Protection dialog ----------------------------------------

struct InPrivateCase {
  const char* name;
  int16_t version;
  std::optional<DWORD> stored;  // StartMode (8) or DisableTrackingProtection (9)
  int selected;                 // as read
  int choose;                   // selected before Save (0: as read)
  const char* saved;            // the value afterwards
  const char* lastMode;         // version 8: LastMode afterwards
  const char* firstRun;         // version 8: ShowFirstRun afterwards
};

class InPrivateDialog : public IeDialogTest, public testing::WithParamInterface<InPrivateCase> {};

TEST_P(InPrivateDialog, ShowsTheStoredModeAndSaveWritesTheChosenOne) {
  const InPrivateCase& c = GetParam();
  IEMajorVersion = c.version;
  const std::string& key = c.version == 8 ? kPrivacy : kPrivacyPolicy;
  const char* value = c.version == 8 ? "StartMode" : "DisableTrackingProtection";
  Set(kPrivacy, "LastMode", 1);  // left by an earlier InPrivate start
  Set(key, value, c.stored);
  frmInPrivate->Show();
  EXPECT_EQ(Selected(*frmInPrivate->Option1, *frmInPrivate->Option2), c.selected);
  if (c.choose == 1) frmInPrivate->Option1->SetValue(true);
  if (c.choose == 2) frmInPrivate->Option2->SetValue(true);
  dialogs.AnswerMessageBox(IDOK);
  frmInPrivate->Command1_Click();

  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, key, value), c.saved);
  if (c.version == 8) {
    EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kPrivacy, "LastMode"), c.lastMode);
    EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kPrivacy, "ShowFirstRun"), c.firstRun);
  }
  ExpectMessage(LoadResString(c.version == 8 ? 1132 : 1150), MB_ICONINFORMATION);
  EXPECT_FALSE(frmInPrivate->Loaded());
}

INSTANTIATE_TEST_SUITE_P(
    VersionsAndValues, InPrivateDialog,
    testing::Values(
        InPrivateCase{"EightMissing", 8, std::nullopt, 2, 0, "missing", "dword:1", "missing"},
        InPrivateCase{"EightZeroKeepsLastMode", 8, 0, 2, 0, "missing", "dword:1", "missing"},
        InPrivateCase{"EightOn", 8, 1, 1, 0, "dword:1", "dword:1", "dword:0"},
        InPrivateCase{"EightTwo", 8, 2, 2, 0, "missing", "dword:1", "missing"},
        InPrivateCase{"EightSwitchedOn", 8, std::nullopt, 2, 1, "dword:1", "dword:1", "dword:0"},
        InPrivateCase{"NineZero", 9, 0, 1, 0, "dword:0", "", ""},
        InPrivateCase{"NineOne", 9, 1, 2, 0, "dword:1", "", ""},
        InPrivateCase{"NineTwoWritesOne", 9, 2, 2, 0, "dword:1", "", ""},
        InPrivateCase{"NineSwitchedOff", 9, 0, 1, 2, "dword:1", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct InPrivateLookCase {
  const char* name;
  int16_t version;
  int window, label, first, second;
};

class InPrivateDialogLooks : public IeDialogTest, public testing::WithParamInterface<InPrivateLookCase> {};

TEST_P(InPrivateDialogLooks, TextsByVersion) {
  const InPrivateLookCase& c = GetParam();
  IEMajorVersion = c.version;
  frmInPrivate->Show();
  EXPECT_EQ(frmInPrivate->Caption(), LoadResString(c.window));
  EXPECT_EQ(frmInPrivate->Label1->Caption(), LoadResString(c.label));
  EXPECT_EQ(frmInPrivate->Option1->Caption(), LoadResString(c.first));
  EXPECT_EQ(frmInPrivate->Option2->Caption(), LoadResString(c.second));
  EXPECT_EQ(frmInPrivate->Command1->Caption(), LoadResString(447));
}

INSTANTIATE_TEST_SUITE_P(Versions, InPrivateDialogLooks,
                         testing::Values(InPrivateLookCase{"Eight", 8, 1131, 1128, 1129, 1130},
                                         InPrivateLookCase{"Nine", 9, 1144, 1145, 1146, 1147}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IeDialogTest, MissingKeysTheNinePolicyKeyIsMadeOnlyForAChoiceAndTheEightKeyNever) {
  // Version 9 without the policy key: the option a missing value shows needs nothing.
  IEMajorVersion = 9;
  frmInPrivate->Show();
  EXPECT_TRUE(frmInPrivate->Option1->Value());
  dialogs.AnswerMessageBox(IDOK);
  frmInPrivate->Command1_Click();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPrivacyPolicy));

  frmInPrivate->Show();
  frmInPrivate->Option2->SetValue(true);
  dialogs.AnswerMessageBox(IDOK);
  frmInPrivate->Command1_Click();
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kPrivacyPolicy, "DisableTrackingProtection"), "dword:1");

  // Version 8 without the browser's key: turning InPrivate on cannot be saved.
  registry.MakeMissing(HKEY_CURRENT_USER, kPrivacy);
  IEMajorVersion = 8;
  frmInPrivate->Show();
  frmInPrivate->Option1->SetValue(true);
  dialogs.AnswerMessageBox(IDOK);
  frmInPrivate->Command1_Click();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kPrivacy));
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, LoadResString(1150));
  EXPECT_EQ(boxes[1].text, LoadResString(1150));
  EXPECT_EQ(boxes[2].text, kNotSaved + LoadResString(1131));
}

}  // namespace
