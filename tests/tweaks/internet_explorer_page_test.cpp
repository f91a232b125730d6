// The Internet Explorer page against the real registry of the test prefix: its 33 policy
// rows read and saved, its looks by browser version, the filter and InPrivate dialogs it
// owns, the Delete Browsing History dialog it centres (with rundll32 recorded), and the DNS
// flush with a stand-in DNS client service and a recorded ipconfig.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/seam.h"
#include "recorder.h"
#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/scoped_registry_values.h"
#include "support/test_service.h"
#include "tweaks/IE2.h"
#include "tweaks/frmInPrivate.h"
#include "tweaks/frmInternetExplorer.h"

namespace {

const std::string kControlPanel = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
const std::string kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";

// Every row: its box and its value.
struct RowCase {
  const char* box;
  int index;
  const std::string* key;
  const char* value;
};
const RowCase kRows[] = {
    {"Check1", 22, &kControlPanel, "Accessibility"},      {"Check1", 21, &kControlPanel, "GeneralTab"},
    {"Check1", 6, &kControlPanel, "SecurityTab"},         {"Check1", 17, &kControlPanel, "ContentTab"},
    {"Check1", 18, &kControlPanel, "ProgramsTab"},        {"Check1", 19, &kControlPanel, "PrivacyTab"},
    {"Check1", 20, &kControlPanel, "AdvancedTab"},        {"Check1", 12, &kControlPanel, "CertifPers"},
    {"Check1", 11, &kControlPanel, "CertifSite"},         {"Check1", 10, &kControlPanel, "CertifPub"},
    {"Check1", 9, &kControlPanel, "SecChangeSettings"},   {"Check1", 8, &kControlPanel, "Privacy Settings"},
    {"Check1", 7, &kControlPanel, "FormSuggest"},         {"Check1", 14, &kControlPanel, "FormSuggest Passwords"},
    {"Check1", 13, &kControlPanel, "Connwiz Admin Lock"}, {"Check1", 15, &kControlPanel, "Settings"},
    {"Check1", 16, &kControlPanel, "Advanced"},
    {"Check10", 0, &kRestrictions, "NoBrowserClose"},     {"Check10", 9, &kRestrictions, "NoBrowserContextMenu"},
    {"Check10", 8, &kRestrictions, "NoBrowserOptions"},   {"Check10", 7, &kRestrictions, "NoBrowserSaveAs"},
    {"Check10", 6, &kRestrictions, "NoFavorites"},        {"Check10", 5, &kRestrictions, "NoFileNew"},
    {"Check10", 4, &kRestrictions, "NoFileOpen"},         {"Check10", 3, &kRestrictions, "NoFindFiles"},
    {"Check10", 15, &kRestrictions, "NoHelpMenu"},        {"Check10", 14, &kRestrictions, "NoNavButtons"},
    {"Check10", 13, &kRestrictions, "NoSelectDownloadDir"}, {"Check10", 12, &kRestrictions, "NoTheaterMode"},
    {"Check10", 11, &kRestrictions, "NoViewSource"},      {"Check10", 1, &kRestrictions, "NoPrinting"},
    {"Check10", 2, &kRestrictions, "NoBrowserBars"},      {"Check10", 10, &kRestrictions, "AlwaysPromptWhenDownload"},
};

std::vector<WatchedKey> Watched() {
  std::vector<WatchedKey> keys{{HKEY_CURRENT_USER, kControlPanel, {}, false},
                               {HKEY_CURRENT_USER, kRestrictions, {}, false}};
  for (const RowCase& row : kRows) keys[row.key == &kControlPanel ? 0 : 1].values.push_back(row.value);
  return keys;
}

void SetDword(const std::string& key, const char* value, DWORD data) {
  ASSERT_TRUE(platform::RegKey::Create(HKEY_CURRENT_USER, key, KEY_WOW64_64KEY).WriteDword(value, data));
}
std::string Stored(const RowCase& row) { return StoredValue(HKEY_CURRENT_USER, *row.key, row.value); }

class InternetExplorerPageTest : public testing::Test {
 protected:
  void SetUp() override {
    IEMajorVersion = 9;
    RestartNeeded = false;
    ASSERT_FALSE(frmInternetExplorer->Loaded());
  }
  void TearDown() override {
    CloseMainWindow();
    IEMajorVersion = 0;
  }
  FrmInternetExplorer& Page() { return *frmInternetExplorer; }
  ui::CheckBox& Box(const RowCase& row) { return Page().Get<ui::CheckBox>(row.box, row.index); }
  void Load() { Page().Check1[6].Value(); }  // the first touch loads the page hidden
  // The ticked boxes, as "Check1(6) Check10(0) ...".
  std::string Ticked() {
    std::string s;
    for (const RowCase& row : kRows)
      if (Box(row).Value() == 1) s += std::string(row.box) + "(" + std::to_string(row.index) + ") ";
    return s;
  }

  ScopedRegistryValues registry{Watched()};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSystemFacts facts;
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
};

// ---- reading and saving ----------------------------------------------------------------

class InternetExplorerRows : public InternetExplorerPageTest, public testing::WithParamInterface<RowCase> {};

TEST_P(InternetExplorerRows, AnyValueButZeroTicksItsOwnBoxAndSaveWritesOne) {
  const RowCase& row = GetParam();
  SetDword(*row.key, row.value, 5);
  Load();
  EXPECT_EQ(Ticked(), std::string(row.box) + "(" + std::to_string(row.index) + ") ");
  dialogs.AnswerMessageBox(IDOK);
  Page().Command6_Click();
  EXPECT_EQ(Stored(row), "dword:1");
  ExpectOnlyMessageBox(dialogs, LoadResString(272), MB_OK | MB_ICONINFORMATION);
  EXPECT_FALSE(RestartNeeded);
  EXPECT_TRUE(Page().Loaded()) << "the page stays open";
}

INSTANTIATE_TEST_SUITE_P(EveryRow, InternetExplorerRows, testing::ValuesIn(kRows), [](const auto& info) {
  std::string name;
  for (const char* c = info.param.value; *c; ++c)
    if (isalnum(static_cast<unsigned char>(*c))) name += *c;
  return name;
});

TEST_F(InternetExplorerPageTest, SaveWritesEveryRowClearOrGreyAsNotSetAndTheFormFieldsAsDeleted) {
  for (const RowCase& row : kRows) SetDword(*row.key, row.value, 1);
  Load();
  for (const RowCase& row : kRows) Box(row).SetValue(row.index % 2 ? 2 : 0);  // grey saves as clear
  dialogs.AnswerMessageBox(IDOK);
  Page().Command6_Click();
  for (const RowCase& row : kRows) {
    SCOPED_TRACE(row.value);
    const bool deleted = std::string(row.value).rfind("FormSuggest", 0) == 0;
    EXPECT_EQ(Stored(row), deleted ? "missing" : "dword:0");
  }
  ExpectOnlyMessageBox(dialogs, LoadResString(272), MB_OK | MB_ICONINFORMATION);
}

TEST_F(InternetExplorerPageTest, WithoutThePolicyKeysNothingIsTickedAndOnlyATickedPolicyCreatesItsKey) {
  Load();
  EXPECT_EQ(Ticked(), "");
  // Nothing ticked: the policies stay not configured.
  dialogs.AnswerMessageBox(IDOK);
  Page().Command6_Click();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kControlPanel));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRestrictions));

  Page().Check10[6].SetValue(1);
  dialogs.AnswerMessageBox(IDOK);
  Page().Command6_Click();
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kControlPanel));
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kRestrictions, "NoFavorites"), "dword:1");
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, kRestrictions, "NoBrowserClose"), "missing");
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, LoadResString(272));
  EXPECT_EQ(boxes[1].text, LoadResString(272));
}

// ---- looks by version ------------------------------------------------------------------

struct LookCase {
  const char* name;
  int16_t version;
  int filterCaption, filterTip;
  bool privateShown;
  int privateCaption, privateTip;
};

class InternetExplorerLooks : public InternetExplorerPageTest, public testing::WithParamInterface<LookCase> {};

TEST_P(InternetExplorerLooks, TheDialogButtonsFollowTheBrowserVersion) {
  const LookCase& c = GetParam();
  IEMajorVersion = c.version;
  Page().Show();
  EXPECT_EQ(Page().Caption(), LoadResString(270));
  EXPECT_EQ(Page().Command8->Caption(), LoadResString(c.filterCaption));
  EXPECT_EQ(Page().Command8->ToolTipText(), LoadResString(c.filterTip));
  EXPECT_EQ(Page().Command2->Visible(), c.privateShown);
  if (c.privateShown) {
    EXPECT_EQ(Page().Command2->Caption(), LoadResString(c.privateCaption));
    EXPECT_EQ(Page().Command2->ToolTipText(), LoadResString(c.privateTip));
  }
  EXPECT_EQ(Page().Check1[7].Caption(), LoadResString(133));
  EXPECT_EQ(Page().Check1[7].ToolTipText(), LoadResString(776));
  EXPECT_EQ(Page().Command10->ToolTipText(), LoadResString(787));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, InternetExplorerLooks,
    testing::Values(LookCase{"Six", 6, 353, 786, false, 0, 0}, LookCase{"Seven", 7, 353, 786, false, 0, 0},
                    LookCase{"Eight", 8, 1109, 1159, true, 1126, 1127},
                    LookCase{"Nine", 9, 1109, 1159, true, 1148, 1149}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InternetExplorerPageTest, TheDialogsOpenOwnedByThePageAndOnlyOnce) {
  IEMajorVersion = 8;
  Page().Show();
  Page().Command8_Click();
  EXPECT_TRUE(IE2->Visible());
  EXPECT_EQ(GetWindow(IE2->hWnd(), GW_OWNER), Page().hWnd());
  IE2->Option2->SetValue(true);
  Page().Command8_Click();  // brought forward, not read again
  EXPECT_TRUE(IE2->Option2->Value());

  Page().Command2_Click();
  EXPECT_TRUE(frmInPrivate->Visible());
  EXPECT_EQ(GetWindow(frmInPrivate->hWnd(), GW_OWNER), Page().hWnd());
  EXPECT_EQ(frmInPrivate->Caption(), LoadResString(1131));
  // Closed other than by Save: nothing written, nothing shown.
  IE2->Unload();
  frmInPrivate->Unload();
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(InternetExplorerPageTest, DialogsOpenWhenThePageClosesGoWithItAndOpenAgainWithTheNextPage) {
  ScopedRegistryValues dialogValues{{{HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\PhishingFilter", {"EnabledV8"}},
                                     {HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Safety\\PrivacIE", {"StartMode"}}}};
  frmmain->Show();
  IEMajorVersion = 8;  // after the main window read the browser's own
  // Closed with the close button, then with the close box: each time the dialogs open
  // afresh with the page opened anew (they read what the registry holds now), owned by it.
  for (DWORD round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "close button" : "close box");
    SetDword("Software\\Microsoft\\Internet Explorer\\PhishingFilter", "EnabledV8", round);
    SetDword("Software\\Microsoft\\Internet Explorer\\Safety\\PrivacIE", "StartMode", round);
    OpenPage(Page());
    Page().Command8_Click();
    Page().Command2_Click();
    ASSERT_TRUE(IsWindowVisible(IE2->hWnd()));
    ASSERT_TRUE(IsWindowVisible(frmInPrivate->hWnd()));
    EXPECT_EQ(GetWindow(IE2->hWnd(), GW_OWNER), Page().hWnd());
    EXPECT_EQ(GetWindow(frmInPrivate->hWnd(), GW_OWNER), Page().hWnd());
    EXPECT_EQ(IE2->Option2->Value(), round == 1) << "EnabledV8 " << round;
    EXPECT_EQ(frmInPrivate->Option1->Value(), round == 1) << "StartMode " << round;

    const HWND filter = IE2->hWnd(), inPrivate = frmInPrivate->hWnd();
    if (round == 0) SendMessageA(Page().Command1->hWnd(), BM_CLICK, 0, 0);
    else SendMessageA(Page().hWnd(), WM_CLOSE, 0, 0);
    ui::DoEvents();
    EXPECT_FALSE(Page().Loaded());
    EXPECT_FALSE(IsWindow(filter));
    EXPECT_FALSE(IsWindow(inPrivate));
    EXPECT_FALSE(IE2->Loaded());
    EXPECT_FALSE(frmInPrivate->Loaded());
    EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  }
  EXPECT_TRUE(dialogs.MessageBoxes().empty()) << "nothing was saved";
}

// ---- Erase IE Internet Files -----------------------------------------------------------

constexpr const char* kDeleteHistory = "RunDll32.exe InetCpl.cpl,ShowDeleteBrowsingHistoryDialog";

// A window of the test's own titled like the system's dialog, its client area w x h.
HWND HistoryWindow(int width, int height) {
  return CreateWindowExA(0, "STATIC", "Delete Browsing History", WS_POPUP | WS_VISIBLE, 5, 7, width, height,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

struct CentreCase {
  const char* name;
  int screenWidth, screenHeight, dpi;
  int x, y;
};

class EraseInternetFiles : public InternetExplorerPageTest, public testing::WithParamInterface<CentreCase> {};

TEST_P(EraseInternetFiles, StartsTheSystemDialogAndCentresItsWindow) {
  const CentreCase& c = GetParam();
  InstalledRecorder rundll32("C:\\windows\\system32\\rundll32.exe", false);
  ASSERT_TRUE(rundll32.Installed());
  facts.screenWidth = c.screenWidth;
  facts.screenHeight = c.screenHeight;
  facts.logPixelsX = c.dpi;
  HWND window = HistoryWindow(400, 300);
  ASSERT_TRUE(window);
  Load();
  Page().Command10_Click();

  ASSERT_TRUE(rundll32.WaitForStart());
  EXPECT_EQ(rundll32.CommandLines(), std::vector<std::string>{kDeleteHistory});
  RECT moved{};
  GetWindowRect(window, &moved);
  EXPECT_EQ(moved.left, c.x);
  EXPECT_EQ(moved.top, c.y);
  EXPECT_EQ(moved.right - moved.left, 400) << "the size stays";
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, EraseInternetFiles,
    testing::Values(CentreCase{"Even", 1280, 1024, 96, 440, 362},
                    // Halves go to the even neighbour.
                    CentreCase{"HalvesToEven", 1001, 803, 96, 300, 252},
                    // 14.4 twips per pixel: the screen measured in whole twips per pixel.
                    CentreCase{"HundredDpi", 1000, 800, 100, 314, 261}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InternetExplorerPageTest, EraseWithoutTheDialogWindowMovesNothingAndSaysNothing) {
  InstalledRecorder rundll32("C:\\windows\\system32\\rundll32.exe", false);
  Load();
  Page().Command10_Click();
  ASSERT_TRUE(rundll32.WaitForStart());
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

// ---- Flush DNS Cache -------------------------------------------------------------------

const std::string kFlushed = "DNS Cache has been flushed!";

struct DnsCase {
  const char* name;
  int service;  // 0 none, 1 running, 2 stopped, 3 disabled, 4 held starting
  std::vector<int> answers;
  DWORD ipconfigExit;
  std::vector<std::string> shown;  // the texts of the boxes, in order ("91", "90", "89" by id)
  bool flushed;                    // ipconfig ran
  DWORD startType;                 // Dnscache's start type afterwards (0: none)
};

class FlushDns : public InternetExplorerPageTest, public testing::WithParamInterface<DnsCase> {};

TEST_P(FlushDns, FlushesWhenTheServiceRunsAndSaysSoOnlyWhenItWorked) {
  const DnsCase& c = GetParam();
  std::unique_ptr<ScopedTestService> dnscache;
  if (c.service) {
    const int holds = c.service == 4 ? ScopedTestService::kHoldStart : ScopedTestService::kNoHold;
    dnscache = std::make_unique<ScopedTestService>("Dnscache", SERVICE_DEMAND_START, holds);
    if (c.service == 1) ASSERT_TRUE(ArrangeService("Dnscache", SERVICE_DEMAND_START, true));
    if (c.service == 3) ASSERT_TRUE(ArrangeService("Dnscache", SERVICE_DISABLED, false));
  }
  InstalledRecorder ipconfig("C:\\windows\\system32\\ipconfig.exe", false, c.ipconfigExit);
  Load();
  for (int answer : c.answers) dialogs.AnswerMessageBox(answer);
  Page().Command21_Click();

  std::vector<std::string> shown;
  for (const auto& box : dialogs.MessageBoxes()) {
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_TRUE(box.coloured);
    shown.push_back(box.text);
  }
  std::vector<std::string> expected;
  for (const std::string& text : c.shown)
    expected.push_back(text.size() <= 2 ? LoadResString(std::stoi(text)) : text);
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(ipconfig.CommandLines(), c.flushed ? std::vector<std::string>{"ipconfig /flushdns"}
                                               : std::vector<std::string>{});
  if (c.service) EXPECT_EQ(ReadServiceFacts("Dnscache").startType, c.startType);
}

const std::string kNotStarted =
    "The DNS Client service (Dnscache) could not be started, so the DNS cache was not flushed.";
const std::string kIpconfigFailed =
    "The command did not succeed:\r\n\r\nipconfig /flushdns\r\n\r\nExit code: 1";

INSTANTIATE_TEST_SUITE_P(
    Services, FlushDns,
    testing::Values(
        DnsCase{"Running", 1, {IDOK}, 0, {"89"}, true, SERVICE_DEMAND_START},
        // Wine's own ipconfig cannot flush and exits with 1.
        DnsCase{"RunningIpconfigFails", 1, {IDOK}, 1, {kIpconfigFailed}, true, SERVICE_DEMAND_START},
        DnsCase{"StoppedStartedAndFlushed", 2, {IDYES, IDYES, IDOK}, 0, {"91", "90", "89"}, true, SERVICE_AUTO_START},
        DnsCase{"StoppedNotStarted", 2, {IDNO}, 0, {"91"}, false, SERVICE_DEMAND_START},
        DnsCase{"StartedButNotFlushed", 2, {IDYES, IDNO}, 0, {"91", "90"}, false, SERVICE_AUTO_START},
        DnsCase{"DisabledStarted", 3, {IDYES, IDYES, IDOK}, 0, {"91", "90", "89"}, true, SERVICE_AUTO_START},
        DnsCase{"StillStarting", 4, {IDYES, IDOK}, 0, {"91", kNotStarted}, false, SERVICE_AUTO_START},
        DnsCase{"NoService", 0, {IDYES, IDOK}, 0, {"91", kNotStarted}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
