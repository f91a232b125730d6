// The firewall page. The firewall service's state is real: the test prefix has no "MpsSvc",
// and a test service of that name stands in for it where a test needs it running. The
// firewall's authorized applications are faked (Wine cannot list them), and so are the
// message boxes and the file dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "security/frmFirewall.h"
#include "shell/PageFrame.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fake_firewall.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "support/real_input.h"
#include "support/test_service.h"

namespace {

constexpr const char* kUnreadable =
    "Windows Firewall's authorized applications could not be read, so the list may be incomplete.";
constexpr const char* kTwoWords = "C:\\Program Files\\Two Words\\app.exe";

// The page with a fake firewall and scripted dialogs; closed, with the main window, after
// each test.
class FirewallPageBase : public testing::Test {
 protected:
  void TearDown() override {
    page.Unload();
    CloseMainWindow();
  }

  ui::ListView& List() { return *page.vbalListViewCtl3; }
  struct Row {
    std::string name, path;
    bool operator==(const Row&) const = default;
  };
  std::vector<Row> Rows() {
    std::vector<Row> rows;
    for (int i = 1; i <= List().ItemCount(); ++i) rows.push_back({List().Item(i).Text(), List().Item(i).SubItem(1)});
    return rows;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Row& row : Rows()) names.push_back(row.name);
    return names;
  }
  int Ticked() {
    int ticked = 0;
    for (int i = 1; i <= List().ItemCount(); ++i) ticked += List().Item(i).Checked();
    return ticked;
  }
  // The three controls the service check rules, each as its window says.
  std::vector<bool> ControlsEnabled() {
    return {IsWindowEnabled(List().hWnd()) != 0, IsWindowEnabled(page.Command70->hWnd()) != 0,
            IsWindowEnabled(page.Command69->hWnd()) != 0};
  }
  // A coloured box with an OK button, titled with the program's name.
  void ExpectOurMessage(const FakeDialogs::Call& box, const std::string& text, UINT icon = MB_ICONEXCLAMATION) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, "Quenvor Pro");
    EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.Icon(), icon);
    EXPECT_TRUE(box.coloured);
  }

  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeFirewall firewall;
  platform::Override<platform::Firewall> useFirewall{firewall};
  FrmFirewall& page = *frmFirewall;
};

// ---- the firewall service, as the service manager reports it -----------------------

using FirewallServiceTest = FirewallPageBase;

TEST_F(FirewallServiceTest, WithoutTheServiceThePageSaysSoAndOnlyCloseWorks) {
  ASSERT_FALSE(ReadServiceFacts("MpsSvc").exists) << "the test prefix is meant to lack the firewall service";
  struct Case {
    const char* name;
    bool listFails;
  };
  // A list that cannot be read is not reported on top: the service message says enough.
  for (const Case& c : {Case{"list read", false}, Case{"list not read", true}}) {
    SCOPED_TRACE(c.name);
    FakeDialogs boxes;
    platform::Override<platform::Dialogs> useBoxes(boxes);
    firewall.applications = {{"Updater", "C:\\Tools\\up.exe"}, {"Two", kTwoWords}};
    firewall.failListingAt = c.listFails ? 1 : -1;
    boxes.AnswerMessageBox(IDOK);
    OpenPage(page);
    ui::DoEvents();

    auto shown = boxes.MessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    ExpectOurMessage(shown[0],
                     "Windows Firewall / Internet Connection Sharing (ICS) Service is not running.  "
                     "Firewall controls have been disabled.",
                     MB_ICONSTOP);
    // Listed before the check, then disabled.
    EXPECT_EQ(List().ItemCount(), c.listFails ? 1 : 2);
    EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(page.Command1->hWnd()));

    // The user's clicks on the disabled buttons do nothing; Close goes back.
    const size_t calls = firewall.calls.size();
    ASSERT_TRUE(ClickAt(CentreOf(page.Command70->hWnd())));
    ASSERT_TRUE(ClickAt(CentreOf(page.Command69->hWnd())));
    EXPECT_EQ(firewall.calls.size(), calls);
    EXPECT_EQ(boxes.Calls().size(), 1u);
    ASSERT_TRUE(ClickAt(CentreOf(page.Command1->hWnd())));
    EXPECT_FALSE(page.Loaded());
    EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
    CloseMainWindow();
  }
}

TEST_F(FirewallServiceTest, OnlyAServiceThatReportsStartedEnablesThePage) {
  struct Case {
    const char* name;
    DWORD startType;
    bool running;
    bool enabled;
  };
  const Case cases[] = {
      {"running", SERVICE_DEMAND_START, true, true},
      {"stopped", SERVICE_DEMAND_START, false, false},
      {"disabled", SERVICE_DISABLED, false, false},
  };
  firewall.applications = {{"Updater", "C:\\Tools\\up.exe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedTestService service("MpsSvc", c.startType);
    ASSERT_TRUE(c.running ? ArrangeService("MpsSvc", c.startType, true) : true);
    if (!c.enabled) dialogs.AnswerMessageBox(IDOK);
    const size_t before = dialogs.MessageBoxes().size();
    page.Load();
    EXPECT_EQ(dialogs.MessageBoxes().size() - before, c.enabled ? 0u : 1u);
    EXPECT_EQ(ControlsEnabled(), std::vector<bool>(3, c.enabled));
    EXPECT_EQ(List().ItemCount(), 1);
    page.Unload();
  }
}

TEST_F(FirewallServiceTest, AServiceBetweenStatesCountsAsNotRunning) {
  ScopedTestService service("MpsSvc", SERVICE_DEMAND_START, ScopedTestService::kHoldStart);
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE raw = OpenServiceA(manager, "MpsSvc", SERVICE_START);
  ASSERT_TRUE(raw && StartServiceA(raw, 0, nullptr));
  CloseServiceHandle(raw);
  CloseServiceHandle(manager);
  dialogs.AnswerMessageBox(IDOK);
  page.Load();
  EXPECT_EQ(ReadServiceFacts("MpsSvc").state, static_cast<DWORD>(SERVICE_START_PENDING));
  EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{false, false, false}));
  // Checked once: the page stays disabled when the service runs later.
  service.ReleaseStart();
  ASSERT_TRUE(ArrangeService("MpsSvc", SERVICE_DEMAND_START, true));
  EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);
}

// ---- the page at work: the firewall service running ---------------------------------

class FirewallPageTest : public FirewallPageBase {
 protected:
  static void SetUpTestSuite() {
    service = std::make_unique<ScopedTestService>("MpsSvc", SERVICE_DEMAND_START);
    ASSERT_TRUE(ArrangeService("MpsSvc", SERVICE_DEMAND_START, true));
  }
  static void TearDownTestSuite() { service.reset(); }

  void Tick(const std::string& name) {
    for (int i = 1; i <= List().ItemCount(); ++i)
      if (List().Item(i).Text() == name) return List().Item(i).SetChecked(true);
    ADD_FAILURE() << "no row " << name;
  }

  static inline std::unique_ptr<ScopedTestService> service;
};

TEST_F(FirewallPageTest, OpensWithTheFirewallsApplicationsInItsOrder) {
  firewall.applications = {
      {"Zeta", "C:\\Zeta\\z.exe"},
      {"No name", "C:\\nameless.exe", true},  // its name or path cannot be read
      {"Two", kTwoWords},
      {"Alpha", "C:\\Alpha\\a.exe"},
  };
  page.Show();
  EXPECT_EQ(Rows(), (std::vector<Row>{{"Zeta", "C:\\Zeta\\z.exe"}, {"Two", kTwoWords}, {"Alpha", "C:\\Alpha\\a.exe"}}));
  EXPECT_EQ(Ticked(), 0);
  EXPECT_TRUE(dialogs.Calls().empty());
  EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(firewall.Lists(), 1);

  EXPECT_EQ(page.Caption(), "Windows 7 Firewall Control Center");
  EXPECT_EQ(page.Frame51->Caption(), "Windows 7 Firewall Control Center");
  EXPECT_EQ(page.Command69->Caption(), "Remove Selected Applications");
  EXPECT_EQ(page.Command70->Caption(), "Add Application to Firewall");
  EXPECT_EQ(page.Command1->Caption(), "Close This Window");
  ASSERT_EQ(List().ColumnCount(), 2);
  struct Column {
    const char* key;
    const char* header;
    float width;
    const char* tag;
    int data;
  };
  const Column columns[] = {{"DESCRIPTION", "Application Name", 3000, "Description", 0},
                            {"VALUE", "Application Path", 5000, "Value", 1}};
  for (int i = 1; i <= 2; ++i) {
    const Column& want = columns[i - 1];
    ui::ListViewColumn& column = List().Column(i);
    EXPECT_EQ(column.Key(), want.key);
    EXPECT_EQ(column.Text(), want.header);
    EXPECT_FLOAT_EQ(column.Width(), want.width * 1.25f);  // scaled with the page to 1280 x 1024
    EXPECT_EQ(column.Tag(), want.tag);
    EXPECT_EQ(column.Data(), want.data);
  }
  // A real list in report view with a box on every row, several rows selectable, grid lines
  // and tips for cut-off texts.
  HWND list = List().hWnd();
  char className[64]{};
  GetClassNameA(list, className, sizeof className);
  EXPECT_STREQ(className, WC_LISTVIEWA);
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(style & LVS_SINGLESEL);
  EXPECT_FALSE(style & LVS_EDITLABELS);
  const LRESULT extended = SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(extended & (LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_LABELTIP),
            LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
}

TEST_F(FirewallPageTest, AnEmptyProfileGivesAnEmptyListAndNoMessage) {
  page.Load();
  EXPECT_EQ(List().ItemCount(), 0);
  EXPECT_TRUE(dialogs.Calls().empty());
  EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{true, true, true}));
}

TEST_F(FirewallPageTest, AListThatCannotBeReadIsSaid) {
  struct Case {
    const char* name;
    bool failCreate, failProfile;
    int failListingAt;
    std::vector<std::string> kept;
  };
  const Case cases[] = {
      {"no manager", true, false, -1, {}},
      {"no profile", false, true, -1, {}},
      {"listing breaks at the third", false, false, 2, {"One", "Two"}},
      {"listing breaks at the first", false, false, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFirewall broken;
    broken.applications = {{"One", "C:\\1.exe"}, {"Two", "C:\\2.exe"}, {"Three", "C:\\3.exe"}};
    broken.failCreate = c.failCreate;
    broken.failProfile = c.failProfile;
    broken.failListingAt = c.failListingAt;
    platform::Override<platform::Firewall> useBroken(broken);
    const size_t before = dialogs.MessageBoxes().size();
    // On opening, after the service check.
    dialogs.AnswerMessageBox(IDOK);
    page.Load();
    EXPECT_EQ(Names(), c.kept);
    // After a rebuild: a removal ...
    dialogs.AnswerMessageBox(IDOK);
    page.Command69_Click();
    // ... and an addition.
    const bool unreachable = c.failCreate || c.failProfile;
    dialogs.AnswerOpenFile(true, "C:\\new.exe");
    dialogs.AnswerMessageBox(IDOK);
    if (unreachable) dialogs.AnswerMessageBox(IDOK);

    page.Command70_Click();
    auto boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size() - before, unreachable ? 4u : 3u);
    for (size_t i = 0; i < 3; ++i) ExpectOurMessage(boxes[before + i], kUnreadable);
    // An addition for which the firewall cannot be reached was not made: said too.
    if (unreachable)
      ExpectOurMessage(boxes[before + 3], "C:\\new.exe could not be added to Windows Firewall's authorized applications.");
    EXPECT_EQ(ControlsEnabled(), (std::vector<bool>{true, true, true}));
    page.Unload();
  }
}

// ---- adding a program ----------------------------------------------------------------

TEST_F(FirewallPageTest, AnAddedProgramGetsItsNameAndEveryOpeningAndIsListed) {
  struct Case {
    const char* name;
    std::string chosen;
    std::string shownName;
  };
  const Case cases[] = {
      {"plain path", "C:\\Tools\\up.exe", "up.exe"},
      {"path with blanks", kTwoWords, "app.exe"},
      {"no folder", "bare.exe", "bare.exe"},
  };
  firewall.applications = {{"Listed", "C:\\listed.exe"}};
  page.Load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int lists = firewall.Lists();
    dialogs.AnswerOpenFile(true, c.chosen);
    page.Command70_Click();

    const FakeDialogs::Call& open = dialogs.Calls().back();
    ASSERT_EQ(open.kind, FakeDialogs::Kind::OpenFile);
    EXPECT_TRUE(open.coloured);
    EXPECT_EQ(open.owner, page.hWnd());
    EXPECT_TRUE(open.request.flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.request.filter, "");
    EXPECT_EQ(open.request.title, "");
    EXPECT_EQ(open.request.initialDir, "");

    const FakeFirewall::Call& add = firewall.calls[firewall.calls.size() - 2];
    ASSERT_EQ(add.kind, FakeFirewall::Call::Add);
    EXPECT_EQ(add.added.name, c.shownName);
    EXPECT_EQ(add.added.ipVersion, 2);
    EXPECT_EQ(add.added.processImageFileName, c.chosen);  // whole and unquoted
    EXPECT_EQ(add.added.remoteAddresses, "*");
    EXPECT_EQ(add.added.scope, 0);
    EXPECT_TRUE(add.added.enabled);
    EXPECT_EQ(firewall.Lists(), lists + 1);
    EXPECT_EQ(Rows().back(), (Row{c.shownName, c.chosen}));
  }
  EXPECT_EQ(Names(), (std::vector<std::string>{"Listed", "up.exe", "app.exe", "bare.exe"}));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(FirewallPageTest, CancellingTheDialogTouchesNeitherTheFirewallNorTheList) {
  firewall.applications = {{"One", "C:\\1.exe"}, {"Two", "C:\\2.exe"}};
  page.Load();
  Tick("Two");
  const size_t calls = firewall.calls.size();
  dialogs.AnswerOpenFile(false);
  page.Command70_Click();
  EXPECT_EQ(firewall.calls.size(), calls);
  EXPECT_EQ(Names(), (std::vector<std::string>{"One", "Two"}));
  EXPECT_TRUE(List().Item(2).Checked());
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(FirewallPageTest, AnAdditionTheFirewallRefusesIsSaid) {
  struct Case {
    const char* name;
    std::string chosen;
    bool refused;
    bool said;
  };
  const Case cases[] = {
      {"refused", "C:\\Blocked\\b.exe", true, true},
      {"refused but listed already", "c:\\LISTED.exe", true, false},
      {"listed already and taken as it is", "C:\\listed.exe", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    firewall.applications = {{"Listed", "C:\\listed.exe"}};
    firewall.refuseAdd.clear();
    if (c.refused) firewall.refuseAdd.insert(c.chosen);
    page.Load();
    const size_t before = dialogs.MessageBoxes().size();
    dialogs.AnswerOpenFile(true, c.chosen);
    if (c.said) dialogs.AnswerMessageBox(IDOK);
    page.Command70_Click();
    auto boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size() - before, c.said ? 1u : 0u);
    if (c.said) ExpectOurMessage(boxes.back(), c.chosen + " could not be added to Windows Firewall's authorized applications.");
    ASSERT_EQ(firewall.Adds().size(), 1u);  // the firewall was asked in every case
    EXPECT_EQ(firewall.Lists(), 2);
    EXPECT_EQ(List().ItemCount(), 1);
    page.Unload();
    firewall.calls.clear();
  }
}

// ---- removing the ticked programs ----------------------------------------------------

TEST_F(FirewallPageTest, TheTickedProgramsAreRemovedOnceEachInListOrderThenListedOnce) {
  firewall.applications = {
      {"A", "C:\\a.exe"}, {"B", kTwoWords}, {"C", "C:\\c.exe"}, {"D", "C:\\d.exe"}, {"E", "C:\\e.exe"},
  };
  page.Show();
  Tick("D");
  Tick("B");
  // A highlighted row that is not ticked stays.
  LVITEMA selected{};
  selected.stateMask = LVIS_SELECTED;
  selected.state = LVIS_SELECTED;
  SendMessageA(List().hWnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
  page.Command69_Click();
  EXPECT_EQ(firewall.Removes(), (std::vector<std::string>{kTwoWords, "C:\\d.exe"}));
  EXPECT_EQ(firewall.Lists(), 2);
  EXPECT_EQ(firewall.calls.back().kind, FakeFirewall::Call::List);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C", "E"}));
  EXPECT_EQ(Ticked(), 0);
  EXPECT_TRUE(dialogs.Calls().empty());  // no question, no message
}

TEST_F(FirewallPageTest, AProgramTickedInTwoRowsIsRemovedOnce) {
  // The firewall listing one program file twice, in two spellings.
  firewall.applications = {{"X", "C:\\Tools\\x.exe"}, {"Y", "C:\\y.exe"}, {"X again", "c:\\tools\\X.EXE"}};
  page.Load();
  Tick("X");
  Tick("X again");
  page.Command69_Click();
  EXPECT_EQ(firewall.Removes(), std::vector<std::string>{"C:\\Tools\\x.exe"});
  EXPECT_EQ(Names(), std::vector<std::string>{"Y"});
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(FirewallPageTest, WithNothingTickedRemoveOnlyListsAgain) {
  struct Case {
    const char* name;
    std::vector<FakeFirewall::Entry> applications;
  };
  const Case cases[] = {{"nothing ticked", {{"A", "C:\\a.exe"}, {"B", "C:\\b.exe"}}}, {"empty list", {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    firewall.applications = c.applications;
    firewall.calls.clear();
    page.Load();
    page.Command69_Click();
    EXPECT_TRUE(firewall.Removes().empty());
    EXPECT_EQ(firewall.Lists(), 2);
    EXPECT_EQ(List().ItemCount(), static_cast<int>(c.applications.size()));
    page.Unload();
  }
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(FirewallPageTest, ARemovalTheFirewallRefusesIsNamedAndOneOfAGoneProgramIsNot) {
  firewall.applications = {{"A", "C:\\a.exe"}, {"B", kTwoWords}, {"C", "C:\\c.exe"}, {"D", "C:\\d.exe"}};
  firewall.refuseRemove = {kTwoWords, "C:\\d.exe"};
  page.Load();
  Tick("A");
  Tick("B");
  Tick("C");
  Tick("D");
  firewall.applications.erase(firewall.applications.begin() + 2);  // C goes behind the page
  dialogs.AnswerMessageBox(IDOK);
  page.Command69_Click();
  EXPECT_EQ(firewall.Removes(), (std::vector<std::string>{"C:\\a.exe", kTwoWords, "C:\\c.exe", "C:\\d.exe"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "D"}));
  EXPECT_EQ(Ticked(), 0);
  auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  ExpectOurMessage(boxes[0],
                   std::string("These programs could not be removed from Windows Firewall's authorized applications:\r\n\r\n") +
                       kTwoWords + "\r\nC:\\d.exe");
}

// ---- sorting -------------------------------------------------------------------------

TEST_F(FirewallPageTest, AHeaderClickSortsByThatColumnAscendingEveryTime) {
  firewall.applications = {{"b", "C:\\3.exe"}, {"C", "C:\\1.exe"}, {"a", "C:\\2.exe"}};
  page.Show();
  HWND header = reinterpret_cast<HWND>(SendMessageA(List().hWnd(), LVM_GETHEADER, 0, 0));
  struct Case {
    int column;
    std::vector<std::string> names;
  };
  for (const Case& c : {Case{1, {"C", "a", "b"}}, Case{0, {"a", "b", "C"}}, Case{0, {"a", "b", "C"}}}) {
    SCOPED_TRACE(c.column);
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, c.column, reinterpret_cast<LPARAM>(&r));
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 10, 5));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 10, 5));
    ui::DoEvents();
    EXPECT_EQ(Names(), c.names);
  }
  // A removal after the sort goes by what the rows now show.
  Tick("b");
  page.Command69_Click();
  EXPECT_EQ(firewall.Removes(), std::vector<std::string>{"C:\\3.exe"});
}

}  // namespace
