// The Miscellaneous Tweaks page against the real registry of the test prefix: what it
// reads, what Save writes (the recycle-bin walk over real volume keys, the shortcut arrows
// through the real regedit and the installed .reg files), the mouse question, the Auto
// Tuner's path on the page loaded hidden, Clear Icon Cache and the More IE Tweaks dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/seam.h"
#include "recorder.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/registry_fixture.h"
#include "support/scoped_environment.h"
#include "support/scoped_registry_values.h"
#include "tweaks/IE3.h"
#include "tweaks/frmMiscellaneous.h"

namespace {

using platform::RegKey;
using namespace std::string_literals;

struct Place {
  HKEY root;
  const char* key;
};
const Place kOwner{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion"};
const Place kDesktop{HKEY_CURRENT_USER, "Control Panel\\Desktop"};
const Place kExplorer{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"};
const Place kExecutive{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Executive"};
const Place kAdvanced{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"};
const Place kSettings{HKEY_CURRENT_USER, kSettingsKey};
const Place kPolicies{HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"};
const Place kMouse{HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\i8042prt\\Parameters"};
const Place kMessenger{HKEY_LOCAL_MACHINE, "Software\\Policies\\Microsoft\\Messenger\\Client"};
const Place kVolume{HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume"};
const Place kShellIcons{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons"};
const Place kLnk{HKEY_CLASSES_ROOT, "lnkfile"};
const Place kUrl{HKEY_CLASSES_ROOT, "InternetShortcut"};
const Place kPif{HKEY_CLASSES_ROOT, "piffile"};

const char* kVolumes[] = {"{0B1C2D3E-0000-0000-0000-000000000001}", "{0B1C2D3E-0000-0000-0000-000000000002}",
                          "{0B1C2D3E-0000-0000-0000-000000000003}"};

std::string Value(const Place& p, const char* name) { return StoredValue(p.root, p.key, name); }
std::string VolumePath(int i) { return std::string(kVolume.key) + "\\" + kVolumes[i]; }
void SetDword(const Place& p, const char* name, DWORD n) {
  ASSERT_TRUE(RegKey::Create(p.root, p.key, KEY_WOW64_64KEY).WriteDword(name, n)) << p.key;
}
void SetText(const Place& p, const char* name, const std::string& t) {
  ASSERT_TRUE(RegKey::Create(p.root, p.key, KEY_WOW64_64KEY).WriteString(name, t)) << p.key;
}

// Every value Save writes, in Save order (the volumes' NukeOnDelete in one line).
std::string Written() {
  std::string s;
  auto add = [&](const Place& p, const char* name) { s += std::string(name) + "=" + Value(p, name) + "\n"; };
  add(kOwner, "RegisteredOwner");
  add(kOwner, "RegisteredOrganization");
  add(kDesktop, "MenuShowDelay");
  add(kDesktop, "FontSmoothingType");
  add(kExplorer, "Max Cached Icons");
  add(kExecutive, "AdditionalCriticalWorkerThreads");
  add(kExecutive, "AdditionalDelayedWorkerThreads");
  add(kAdvanced, "EnableBalloonTips");
  s += "NukeOnDelete=";
  for (int i = 0; i < 3; ++i) s += StoredValue(kVolume.root, VolumePath(i), "NukeOnDelete") + " ";
  s += "\n";
  add(kSettings, "DisableRecycleBin");
  add(kPolicies, "NoInstrumentation");
  add(kShellIcons, "29");
  add(kLnk, "IsShortcut");
  add(kLnk, "RemovedArrow");
  add(kUrl, "IsShortcut");
  add(kPif, "IsShortcut");
  add(kSettings, "RemovedArrows");
  add(kMouse, "SampleRate");
  add(kMessenger, "PreventRun");
  return s;
}

class MiscellaneousPageTest : public testing::Test {
 protected:
  void SetUp() override {
    RestartNeeded = false;
    AutoTuneMode = false;
    ASSERT_FALSE(frmMiscellaneous->Loaded());
    // Three volumes, as on a machine with three drives.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(RegKey::Create(kVolume.root, VolumePath(i), KEY_WOW64_64KEY));
  }
  void TearDown() override {
    RestartNeeded = false;
    CloseMainWindow();
    AutoTuneMode = false;
  }
  FrmMiscellaneous& Page() { return *frmMiscellaneous; }
  void Load() { Page().Check11->Value(); }  // the first touch loads the page hidden

  ScopedRegistryValues registry{{
      {kOwner.root, kOwner.key, {"RegisteredOwner", "RegisteredOrganization"}},
      {kDesktop.root, kDesktop.key, {"MenuShowDelay", "FontSmoothingType"}},
      {kExplorer.root, kExplorer.key, {"Max Cached Icons"}},
      {kExecutive.root, kExecutive.key, {"AdditionalCriticalWorkerThreads", "AdditionalDelayedWorkerThreads"}},
      {kAdvanced.root, kAdvanced.key, {"EnableBalloonTips"}},
      {kSettings.root, kSettings.key, {"DisableRecycleBin", "RemovedArrows"}},
      {kPolicies.root, kPolicies.key, {"NoInstrumentation"}, false},
      {kMouse.root, kMouse.key, {"SampleRate"}},
      {kMessenger.root, kMessenger.key, {"PreventRun"}, false},
      {kVolume.root, kVolume.key, {}},
      {kShellIcons.root, kShellIcons.key, {"29"}, false},
      {kLnk.root, kLnk.key, {"IsShortcut", "RemovedArrow"}},
      {kUrl.root, kUrl.key, {"IsShortcut"}},
      {kPif.root, kPif.key, {"IsShortcut"}},
  }};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSystemFacts facts;  // 64-bit Windows
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
};

// The ticked boxes and the two texts, as one text.
std::string Controls(FrmMiscellaneous& p) {
  std::string s;
  auto box = [&](const std::string& name, ui::CheckBox& b) {
    if (b.Value() == 1) s += name + " ";
  };
  box("Check6(0)", p.Check6[0]);
  for (int i : {0, 1, 2}) box("Check7(" + std::to_string(i) + ")", p.Check7[i]);
  box("Check8(0)", p.Check8[0]);
  box("Check11", *p.Check11);
  box("Check12(0)", p.Check12[0]);
  box("Check13(0)", p.Check13[0]);
  box("Check14", *p.Check14);
  box("Check17", *p.Check17);
  box("Check19", *p.Check19);
  return s + "Owner=" + p.Text2->Text() + " Company=" + p.Text3->Text();
}

// ---- loading ---------------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::function<void()> arrange;
  std::string shows;
};

class MiscellaneousReading : public MiscellaneousPageTest, public testing::WithParamInterface<ReadCase> {};

TEST_P(MiscellaneousReading, TheBoxesShowTheSettingsInEffect) {
  GetParam().arrange();
  Load();
  EXPECT_FALSE(Page().Visible());
  EXPECT_EQ(Controls(Page()), GetParam().shows);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MiscellaneousReading,
    testing::Values(
        // Nothing set: only balloon tips, whose missing value reads 0, show ticked; the
        // placeholder texts do not survive loading.
        ReadCase{"NothingSet", [] {}, "Check13(0) Owner= Company="},
        ReadCase{"MenuDelayExactly65", [] { SetText(kDesktop, "MenuShowDelay", "65"); },
                 "Check7(0) Check13(0) Owner= Company="},
        ReadCase{"MenuDelayWithALeadingZero", [] { SetText(kDesktop, "MenuShowDelay", "065"); },
                 "Check13(0) Owner= Company="},
        ReadCase{"MenuDelay64", [] { SetText(kDesktop, "MenuShowDelay", "64"); }, "Check13(0) Owner= Company="},
        ReadCase{"SampleRateAsText", [] { SetText(kMouse, "SampleRate", "200"); },
                 "Check8(0) Check13(0) Owner= Company="},
        ReadCase{"SampleRateAsNumber", [] { SetDword(kMouse, "SampleRate", 200); }, "Check13(0) Owner= Company="},
        ReadCase{"BalloonTipsOn", [] { SetDword(kAdvanced, "EnableBalloonTips", 1); }, "Owner= Company="},
        ReadCase{"BalloonTipsTwo", [] { SetDword(kAdvanced, "EnableBalloonTips", 2); }, "Owner= Company="},
        ReadCase{"Equalities",
                 [] {
                   SetDword(kDesktop, "FontSmoothingType", 2);
                   SetText(kExplorer, "Max Cached Icons", "4096");
                   SetDword(kExecutive, "AdditionalCriticalWorkerThreads", 16);
                   SetDword(kExecutive, "AdditionalDelayedWorkerThreads", 15);
                   SetDword(kPolicies, "NoInstrumentation", 1);
                   SetDword(kMessenger, "PreventRun", 1);
                 },
                 "Check6(0) Check7(1) Check7(2) Check11 Check13(0) Check17 Owner= Company="},
        // Only 1 ticks these.
        ReadCase{"PoliciesTwo",
                 [] {
                   SetDword(kPolicies, "NoInstrumentation", 2);
                   SetDword(kMessenger, "PreventRun", 2);
                 },
                 "Check13(0) Owner= Company="},
        ReadCase{"OwnRecords",
                 [] {
                   SetDword(kSettings, "DisableRecycleBin", 1);
                   SetDword(kSettings, "RemovedArrows", 1);
                 },
                 "Check13(0) Check14 Check19 Owner= Company="},
        ReadCase{"OwnerAndCompany",
                 [] {
                   SetText(kOwner, "RegisteredOwner", std::string(300, 'o'));
                   SetText(kOwner, "RegisteredOrganization", "Dallmoor");
                 },
                 "Check13(0) Owner=" + std::string(300, 'o') + " Company=Dallmoor"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiscellaneousPageTest, CaptionsAndToolTipsComeFromTheStringTable) {
  Load();
  EXPECT_EQ(Page().Caption(), LoadResString(299));
  EXPECT_EQ(Page().Check19->Caption(), LoadResString(391));
  EXPECT_EQ(Page().Check19->ToolTipText(), LoadResString(804));
  EXPECT_EQ(Page().Text2->ToolTipText(), LoadResString(806));
  EXPECT_EQ(Page().Command4->ToolTipText(), LoadResString(797));
  EXPECT_EQ(Page().Command9->Caption(), LoadResString(382));
}

// ---- Save ------------------------------------------------------------------------------

TEST_F(MiscellaneousPageTest, SaveWithEveryBoxClearWritesEveryClearState) {
  SetDword(kSettings, "RemovedArrows", 1);
  SetText(kShellIcons, "29", "an overlay");
  Load();
  Page().Check13[0].SetValue(0);
  Page().Check19->SetValue(2);  // read ticked; grey saves as clear
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();

  EXPECT_TRUE(RestartNeeded);
  EXPECT_EQ(Written(),
            "RegisteredOwner=sz:\n"
            "RegisteredOrganization=sz:\n"
            "MenuShowDelay=sz:400\n"
            "FontSmoothingType=dword:1\n"
            "Max Cached Icons=sz:500\n"
            "AdditionalCriticalWorkerThreads=dword:0\n"
            "AdditionalDelayedWorkerThreads=dword:0\n"
            "EnableBalloonTips=dword:1\n"
            "NukeOnDelete=dword:0 dword:0 dword:0 \n"
            "DisableRecycleBin=dword:0\n"
            "NoInstrumentation=missing\n"
            "29=missing\n"  // the restore file deleted it
            "IsShortcut=missing\n"  // the classes are left alone when the arrows come back
            "RemovedArrow=missing\n"
            "IsShortcut=missing\n"
            "IsShortcut=missing\n"
            "RemovedArrows=dword:0\n"
            "SampleRate=missing\n"
            "PreventRun=missing\n");
  EXPECT_FALSE(KeyExists(kMessenger.root, "Software\\Policies\\Microsoft\\Messenger"))
      << "a policy key was created for a clear box";
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, LoadResString(300));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(boxes[0].title, kAppTitle);
  EXPECT_TRUE(Page().Loaded()) << "the page stays open";
}

TEST_F(MiscellaneousPageTest, SaveWithEveryBoxTickedWritesEveryTickedState) {
  const std::string owner(300, 'o');
  SetText(kOwner, "RegisteredOwner", owner);
  SetDword(kLnk, "RemovedArrow", 1);
  Load();
  for (int i : {0, 1, 2}) Page().Check7[i].SetValue(1);
  for (ui::CheckBox* box : {&Page().Check6[0], &Page().Check8[0], &*Page().Check11, &Page().Check12[0],
                            &Page().Check13[0], &*Page().Check14, &*Page().Check17, &*Page().Check19})
    box->SetValue(1);
  Page().Text3->SetText("Dallmoor Software");
  dialogs.AnswerMessageBox(IDYES);  // the mouse question
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();

  EXPECT_EQ(Written(),
            "RegisteredOwner=sz:" + owner + "\n"  // a long owner is written back whole
            "RegisteredOrganization=sz:Dallmoor Software\n"
            "MenuShowDelay=sz:65\n"
            "FontSmoothingType=dword:2\n"
            "Max Cached Icons=sz:4096\n"
            "AdditionalCriticalWorkerThreads=dword:16\n"
            "AdditionalDelayedWorkerThreads=dword:16\n"
            "EnableBalloonTips=dword:0\n"
            "NukeOnDelete=dword:1 dword:1 dword:1 \n"
            "DisableRecycleBin=dword:1\n"
            "NoInstrumentation=dword:1\n"
            "29=sz:%SystemRoot%\\System32\\imageres.dll,197\n"  // imported by the real regedit
            "IsShortcut=sz:\n"
            "RemovedArrow=missing\n"
            "IsShortcut=sz: \n"
            "IsShortcut=sz:\n"
            "RemovedArrows=dword:1\n"
            "SampleRate=sz:200\n"
            "PreventRun=dword:1\n");  // both Messenger keys were created for it
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(626));
  EXPECT_EQ(boxes[0].title, LoadResString(307));
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
  EXPECT_EQ(boxes[1].text, LoadResString(300));
}

TEST_F(MiscellaneousPageTest, NoToTheMouseQuestionClearsTheBoxAndDeletesTheRate) {
  SetText(kMouse, "SampleRate", "200");
  Load();
  ASSERT_EQ(Page().Check8[0].Value(), 1);
  dialogs.AnswerMessageBox(IDNO);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();
  EXPECT_EQ(Page().Check8[0].Value(), 0);
  EXPECT_EQ(Value(kMouse, "SampleRate"), "missing");
}

// ---- the Auto Tuner's path, and a profile without its recycle-bin keys ------------------

struct TunerCase {
  const char* name;
  bool volumeMissing;
  bool autoTune;
  std::vector<std::string> shown;  // texts of the message boxes
};

class MiscellaneousAutoTuner : public MiscellaneousPageTest, public testing::WithParamInterface<TunerCase> {};

TEST_P(MiscellaneousAutoTuner, PresetThenSaveOnThePageLoadedHidden) {
  const TunerCase& c = GetParam();
  if (c.volumeMissing) registry.MakeMissing(kVolume.root, kVolume.key);
  SetDword(kSettings, "RemovedArrows", 1);  // read ticked, left as it is by the preset
  SetText(kMouse, "SampleRate", "200");     // read ticked, cleared by the preset
  AutoTuneMode = c.autoTune;
  for (size_t i = 0; i < c.shown.size(); ++i) dialogs.AnswerMessageBox(IDOK);

  Page().Command9_Click();
  EXPECT_TRUE(Page().Loaded());
  EXPECT_EQ(Controls(Page()),
            "Check7(0) Check7(1) Check7(2) Check11 Check12(0) Check13(0) Check19 Owner= Company=");
  Page().Command4_Click();

  EXPECT_FALSE(Page().Visible());
  EXPECT_TRUE(RestartNeeded);
  std::vector<std::string> texts;
  for (const auto& box : dialogs.MessageBoxes()) texts.push_back(box.text);
  EXPECT_EQ(texts, c.shown);
  if (c.volumeMissing) {
    EXPECT_EQ(dialogs.MessageBoxes()[0].style, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(KeyExists(kVolume.root, kVolume.key)) << "the walk created its key";
  }
  // The walk and its record only: the rows after it are still written.
  EXPECT_EQ(Value(kSettings, "DisableRecycleBin"), c.volumeMissing ? "missing" : "dword:0");
  EXPECT_EQ(Value(kPolicies, "NoInstrumentation"), "missing");
  EXPECT_EQ(Value(kShellIcons, "29"), "sz:%SystemRoot%\\System32\\imageres.dll,197");
  EXPECT_EQ(Value(kMouse, "SampleRate"), "missing");
  EXPECT_EQ(Value(kDesktop, "MenuShowDelay"), "sz:65");
}

const std::string kNotSavedRecycleBin =
    "These settings could not be saved to the registry:\r\n\r\n" + LoadResString(147);

INSTANTIATE_TEST_SUITE_P(
    Cases, MiscellaneousAutoTuner,
    testing::Values(TunerCase{"AutoTune", false, true, {}},
                    TunerCase{"AutoTuneWithoutVolumes", true, true, {LoadResString(50)}},
                    TunerCase{"UserWithoutVolumes", true, false, {LoadResString(50), kNotSavedRecycleBin}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiscellaneousPageTest, TheRecordsGoIntoASettingsKeyMadeWhenMissing) {
  // The key as a user has it who never answered the start-up question; put back afterwards.
  struct SettingsKeyBack {
    ~SettingsKeyBack() {
      RegKey::Create(HKEY_CURRENT_USER, kSettingsKey, KEY_WOW64_64KEY).WriteDword("RestorSet", 1);
    }
  } back;
  DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Dallmoor Software", KEY_WOW64_64KEY);
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
  Load();
  Page().Check14->SetValue(1);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();
  EXPECT_EQ(Value(kSettings, "DisableRecycleBin"), "dword:1");
  EXPECT_EQ(Value(kSettings, "RemovedArrows"), "dword:0");
  EXPECT_EQ(dialogs.MessageBoxes().back().text, LoadResString(300));
}

// ---- the shortcut arrows -----------------------------------------------------------------

struct ArrowCase {
  const char* name;
  bool is64;
  bool ticked;
  std::function<void()> arrange;
  const char* overlay;  // "29" afterwards
  const char* record;   // "RemovedArrows" afterwards
  bool saved;
};

// Moves a file aside for a test's scope.
class FileAside {
 public:
  explicit FileAside(const std::string& path) : path_(path) {
    moved_ = MoveFileExA(path_.c_str(), (path_ + ".aside").c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
  ~FileAside() {
    if (moved_) MoveFileExA((path_ + ".aside").c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  bool Moved() const { return moved_; }

 private:
  std::string path_;
  bool moved_;
};

class ShortcutArrows : public MiscellaneousPageTest, public testing::WithParamInterface<ArrowCase> {};

TEST_P(ShortcutArrows, TheOverlayChangesAndOnlyThenIsRecorded) {
  const ArrowCase& c = GetParam();
  if (!c.is64) facts.architecture = PROCESSOR_ARCHITECTURE_INTEL;
  SetText(kShellIcons, "29", "before");
  c.arrange();
  Load();
  Page().Check19->SetValue(c.ticked ? 1 : 0);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();

  EXPECT_EQ(Value(kShellIcons, "29"), c.overlay);
  EXPECT_EQ(Value(kSettings, "RemovedArrows"), c.record);
  EXPECT_EQ(dialogs.MessageBoxes().back().text,
            c.saved ? LoadResString(300)
                    : "These settings could not be saved to the registry:\r\n\r\n" + LoadResString(391));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortcutArrows,
    testing::Values(
        ArrowCase{"Remove64", true, true, [] {}, "sz:%SystemRoot%\\System32\\imageres.dll,197", "dword:1", true},
        ArrowCase{"Restore64", true, false, [] {}, "missing", "dword:0", true},
        ArrowCase{"Remove32", false, true, [] {}, "sz:%SystemRoot%\\\\noarrow.ico,0", "dword:1", true},
        ArrowCase{"Restore32", false, false, [] {}, "missing", "dword:0", true},
        ArrowCase{"Remove32WithoutShellIcons", false, true,
                  [] { DeleteRegistryTree(kShellIcons.root, kShellIcons.key, KEY_WOW64_64KEY); },
                  "missing", "missing", false},
        // The classes of a removal are written on every Windows; one missing fails the row.
        ArrowCase{"RemoveWithoutPifFiles", true, true,
                  [] { DeleteRegistryTree(kPif.root, kPif.key, KEY_WOW64_64KEY); },
                  "sz:%SystemRoot%\\System32\\imageres.dll,197", "missing", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiscellaneousPageTest, AMissingImportFileLeavesTheArrowsUnsaved) {
  FileAside aside("C:\\windows\\64-bit_Remove_Shortcut_Arrow.reg");
  ASSERT_TRUE(aside.Moved());
  SetText(kShellIcons, "29", "before");
  Load();
  Page().Check19->SetValue(1);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();
  EXPECT_EQ(Value(kShellIcons, "29"), "sz:before");
  EXPECT_EQ(Value(kSettings, "RemovedArrows"), "missing");
  EXPECT_EQ(dialogs.MessageBoxes().back().text,
            "These settings could not be saved to the registry:\r\n\r\n" + LoadResString(391));
}

TEST_F(MiscellaneousPageTest, ARegistryEditorThatFailsLeavesTheArrowsUnsaved) {
  InstalledRecorder regedit("C:\\windows\\regedit.exe", true, 1);
  ASSERT_TRUE(regedit.Installed());
  Load();
  Page().Check19->SetValue(0);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command4_Click();
  EXPECT_EQ(regedit.CommandLines(),
            std::vector<std::string>{"C:\\windows\\regedit.exe /s C:\\windows\\Restore_Shortcut_Arrow.reg"});
  EXPECT_EQ(Value(kSettings, "RemovedArrows"), "missing");
  EXPECT_EQ(dialogs.MessageBoxes().back().text,
            "These settings could not be saved to the registry:\r\n\r\n" + LoadResString(391));
}

// ---- Clear Icon Cache ------------------------------------------------------------------

struct IconCacheCase {
  const char* name;
  DWORD attributes;  // 0: no file
  bool heldOpen;     // without share-delete
  const char* outcome;  // "cleared", "missing" or "in use"
};

class ClearIconCache : public MiscellaneousPageTest, public testing::WithParamInterface<IconCacheCase> {
 protected:
  void SetUp() override {
    MiscellaneousPageTest::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    profile = std::string(temp) + "QuenvorTests.profile." + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(profile.c_str(), nullptr);
    CreateDirectoryA((profile + "\\AppData").c_str(), nullptr);
    CreateDirectoryA((profile + "\\AppData\\Local").c_str(), nullptr);
    cache = profile + "\\AppData\\Local\\IconCache.db";
  }
  void TearDown() override {
    SetFileAttributesA(cache.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(cache.c_str());
    RemoveDirectoryA((profile + "\\AppData\\Local").c_str());
    RemoveDirectoryA((profile + "\\AppData").c_str());
    RemoveDirectoryA(profile.c_str());
    MiscellaneousPageTest::TearDown();
  }
  std::string profile, cache;
};

TEST_P(ClearIconCache, DeletesTheFileAndSaysSoOnlyWhenItIsGone) {
  const IconCacheCase& c = GetParam();
  if (c.attributes) {
    std::ofstream(cache, std::ios::binary) << "icons";
    ASSERT_TRUE(SetFileAttributesA(cache.c_str(), c.attributes));
  }
  HANDLE held = c.heldOpen ? CreateFileA(cache.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr)
                           : INVALID_HANDLE_VALUE;
  ScopedEnvironmentVariable variable("USERPROFILE", profile.c_str());
  dialogs.AnswerMessageBox(IDOK);
  Page().Command35_Click();
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

  const bool gone = GetFileAttributesA(cache.c_str()) == INVALID_FILE_ATTRIBUTES;
  EXPECT_EQ(gone, std::string(c.outcome) != "in use");
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].coloured);
  if (std::string(c.outcome) == "cleared") {
    EXPECT_EQ(boxes[0].text, LoadResString(258));
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(boxes[0].title, kAppTitle);
  } else if (std::string(c.outcome) == "missing") {
    EXPECT_EQ(boxes[0].text, LoadResString(629) + "\r\n\r\n" + LoadResString(4) + "\r\n\r\n" +
                                 LoadResString(5) + "\r\n\r\n" + LoadResString(6) + "\r\n\r\n" +
                                 LoadResString(7));
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].title, LoadResString(259));
  } else {
    EXPECT_EQ(boxes[0].text,
              "The icon cache could not be cleared: this file could not be deleted.\r\n\r\n" + cache);
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClearIconCache,
    testing::Values(IconCacheCase{"Hidden", FILE_ATTRIBUTE_HIDDEN, false, "cleared"},
                    IconCacheCase{"Visible", FILE_ATTRIBUTE_NORMAL, false, "cleared"},
                    IconCacheCase{"Missing", 0, false, "missing"},
                    IconCacheCase{"InUse", FILE_ATTRIBUTE_NORMAL, true, "in use"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MiscellaneousPageTest, AnIconCacheThatIsALinkIsLeftAndWhatItPointsToStays) {
  // prepare.sh: a profile whose IconCache.db is a link to a file outside the folder.
  const std::string profile = "C:\\QuenvorFixtures\\iconprofile";
  const std::string canary = "C:\\QuenvorFixtures\\icons-canary.db";
  ASSERT_NE(GetFileAttributesA(canary.c_str()), INVALID_FILE_ATTRIBUTES) << "the fixture of tests/tweaks/prepare.sh is missing";
  ScopedEnvironmentVariable variable("USERPROFILE", profile.c_str());
  dialogs.AnswerMessageBox(IDOK);
  Page().Command35_Click();

  EXPECT_NE(GetFileAttributesA(canary.c_str()), INVALID_FILE_ATTRIBUTES);
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The icon cache was not cleared: " + profile +
                               "\\AppData\\Local\\IconCache.db is a link to another file, and it was left as it is.");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

// ---- More IE Tweaks --------------------------------------------------------------------

TEST_F(MiscellaneousPageTest, MoreIETweaksShowsOneDialogOwnedByTheMainWindowThatOutlivesThePage) {
  frmmain->Image4_Click(8);
  ASSERT_TRUE(Page().Visible());
  Page().Command20_Click();
  ASSERT_TRUE(IE3->Visible());
  EXPECT_EQ(GetWindow(IE3->hWnd(), GW_OWNER), frmmain->hWnd());
  EXPECT_EQ(IE3->Caption(), LoadResString(303));
  const HWND first = IE3->hWnd();
  Page().Command20_Click();
  EXPECT_EQ(IE3->hWnd(), first) << "a second dialog";

  Page().Command5_Click();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_TRUE(frmmain->Visible());
  EXPECT_TRUE(IE3->Visible()) << "the dialog closed with the page";
  IE3->Command5_Click();
  EXPECT_FALSE(IE3->Loaded());
  EXPECT_TRUE(frmmain->Visible());
}

}  // namespace
