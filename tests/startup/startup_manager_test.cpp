// The startup manager on the real registry of the test prefix, whose 32- and 64-bit views
// are real; message boxes and the file dialog are scripted, restore points are faked.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/seam.h"
#include "services/frmStartupManager.h"
#include "shell/FRMsysRestore.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmInputBox.h"
#include "startup_test_support.h"
#include "support/fake_restore_points.h"
#include "support/fakes.h"
#include "support/main_window.h"
#include "shell/frmmain.h"
#include "support/test_service.h"

namespace {

constexpr REGSAM kNativeRead = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
constexpr REGSAM kNativeWrite = KEY_SET_VALUE | KEY_WOW64_64KEY;

std::string ProgramFilesOf(REGSAM view) {
  platform::RegKey key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", KEY_QUERY_VALUE | view);
  return key.ReadString("ProgramFilesDir", "?");
}

std::string WindowsDir() {
  char buffer[MAX_PATH]{};
  GetWindowsDirectoryA(buffer, MAX_PATH);
  return buffer;
}

class StartupManagerTest : public testing::Test {
 protected:
  void SetUp() override { winmgmt = ReadServiceFacts("winmgmt"); }
  void TearDown() override {
    page.Unload();
    CloseMainWindow();
    EXPECT_EQ(RegReadAccess, kNativeRead);
    EXPECT_EQ(RegWriteAccess, kNativeWrite);
    if (winmgmt.exists) ArrangeService("winmgmt", winmgmt.startType, winmgmt.state == SERVICE_RUNNING);
  }

  // The user picks a chooser entry by its text.
  void Pick(const std::string& text) {
    for (int i = 0; i < page.Combo4->ListCount(); ++i) {
      if (page.Combo4->List(i) == text) {
        page.Combo4->SetListIndex(i);
        return;
      }
    }
    FAIL() << "the chooser has no entry " << text;
  }
  std::vector<std::string> ChooserEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < page.Combo4->ListCount(); ++i) entries.push_back(page.Combo4->List(i));
    return entries;
  }
  ui::ListView& List() { return *page.vbalListViewCtl1; }
  // Name -> Path of every row, and the names in row order.
  std::map<std::string, std::string> Rows() {
    std::map<std::string, std::string> rows;
    for (int i = 1; i <= List().ItemCount(); ++i) rows[List().Item(i).Text()] = List().Item(i).SubItem(1);
    return rows;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 1; i <= List().ItemCount(); ++i) names.push_back(List().Item(i).Text());
    return names;
  }
  void Tick(const std::string& name) {
    for (int i = 1; i <= List().ItemCount(); ++i)
      if (List().Item(i).Text() == name) return List().Item(i).SetChecked(true);
    ADD_FAILURE() << "no row " << name;
  }
  // The input box answered: `text` typed (or left as it is), then OK or Cancel.
  void AnswerInputBox(std::optional<std::string> text, bool ok) {
    WhenModal([text, ok] {
      if (text) frmInputBox->txtInput->SetText(*text);
      SendMessageA(frmInputBox->cmdButton[ok ? 0 : 1].hWnd(), BM_CLICK, 0, 0);
    });
  }

  ServiceFacts winmgmt;
  RunKeysSnapshot runKeys;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeRestorePoints points;
  platform::Override<platform::RestorePoints> usePoints{points};
  FrmStartupManager& page = *frmStartupManager;
};

// ---- the page and its chooser ---------------------------------------------------------

TEST_F(StartupManagerTest, OpensWithTheChooserOfThisWindowsAndAnEmptyList) {
  struct Case {
    const char* name;
    WORD architecture;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"64-bit", PROCESSOR_ARCHITECTURE_AMD64,
       {"Select a key:", "HKCU/Run", "HKCU/RunOnce", "HKLM/Run", "HKLM/Run (WOW64)", "HKLM/RunOnce",
        "HKLM/RunOnce (WOW64)"}},
      {"32-bit", PROCESSOR_ARCHITECTURE_INTEL,
       {"Select a key:", "HKCU/Run", "HKCU/RunOnce", "HKLM/Run", "HKLM/RunOnce"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystemFacts facts;
    facts.architecture = c.architecture;
    platform::Override<platform::SystemFacts> useFacts(facts);
    page.Load();
    EXPECT_EQ(ChooserEntries(), c.entries);
    EXPECT_EQ(page.Combo4->Text(), "Select a key:");
    // The chooser takes picks only: no typed text can name a key the list does not show.
    EXPECT_EQ(GetWindowLongA(page.Combo4->hWnd(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(List().ItemCount(), 0);
    ASSERT_EQ(List().ColumnCount(), 2);
    EXPECT_EQ(List().Column(1).Key(), "NAME");
    EXPECT_EQ(List().Column(1).Text(), "Name");
    EXPECT_EQ(List().Column(2).Text(), "Path");
    // Widths in twips as designed, scaled with the page to the 1280 x 1024 screen.
    EXPECT_FLOAT_EQ(List().Column(1).Width(), 3500 * 1.25f);
    EXPECT_FLOAT_EQ(List().Column(2).Width(), 7000 * 1.25f);
    EXPECT_TRUE(List().Visible());
    EXPECT_EQ(page.Caption(), "Startup Manager");
    EXPECT_EQ(page.Frame38->Caption(), "Startup Manager");
    EXPECT_EQ(page.Command44->Caption(), "Remove Checked Entries");
    EXPECT_EQ(page.Command7->Caption(), "Add Items To Startup");
    EXPECT_EQ(page.Command1->Caption(), "Close This Window");
    page.Unload();
  }
}

TEST_F(StartupManagerTest, ThePathColumnShowsEachValuesData) {
  const std::string programFiles = ProgramFilesOf(KEY_WOW64_64KEY);
  const std::string windows = WindowsDir();
  ASSERT_EQ(programFiles, "C:\\Program Files");
  const std::string longPath = "C:\\" + std::string(396, 'p') + ".exe";  // 400 characters
  struct Case {
    const char* name;
    DWORD type;
    std::string data;  // stored as given, with a NUL after text types
    std::string shown;
  };
  const Case cases[] = {
      {"quoted", REG_SZ, "\"C:\\Program Files\\A\\a.exe\"", "C:\\Program Files\\A\\a.exe"},
      {"quoted with arguments", REG_SZ, "\"C:\\A\\a.exe\" /min", "\"C:\\A\\a.exe\" /min"},
      {"two quoted parts", REG_SZ, "\"C:\\A\\a.exe\" \"x\"", "\"C:\\A\\a.exe\" \"x\""},
      {"a lone quote", REG_SZ, "\"", "\""},
      {"program files, any case", REG_SZ, "%ProgramFILES%\\B\\b.exe", programFiles + "\\B\\b.exe"},
      {"quoted program files", REG_EXPAND_SZ, "\"%programfiles%\\B\\b.exe\"", programFiles + "\\B\\b.exe"},
      {"system root", REG_SZ, "%SystemRoot%\\system32\\c.exe", windows + "\\system32\\c.exe"},
      {"expanded once", REG_SZ, "%programfiles%%systemroot%", programFiles + "%systemroot%"},
      {"windir is not expanded", REG_SZ, "%windir%\\d.exe", "%windir%\\d.exe"},
      {"x86 folder is not expanded", REG_SZ, "%ProgramFiles(x86)%\\e.exe", "%ProgramFiles(x86)%\\e.exe"},
      {"a later token is not expanded", REG_SZ, "C:\\x.exe %programfiles%", "C:\\x.exe %programfiles%"},
      {"400 characters", REG_SZ, longPath, longPath},
      {"dword", REG_DWORD, std::string("ABC\0", 4), "ABC"},  // its bytes less the last
      {"empty data", REG_BINARY, "", ""},
      {"", REG_SZ, "C:\\default.exe", "C:\\default.exe"},  // the key's default value
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bytes(c.data.begin(), c.data.end());
    if (c.type == REG_SZ || c.type == REG_EXPAND_SZ) bytes.push_back(0);
    PutValue(kHkcuRun, c.name, c.type, bytes);
  }
  page.Load();
  Pick("HKCU/Run");
  auto rows = Rows();
  EXPECT_EQ(rows.size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("value \"") + c.name + "\"");
    ASSERT_TRUE(rows.count(c.name));
    EXPECT_EQ(rows[c.name], c.shown);
  }
  EXPECT_FALSE(List().Item(1).Checked());
}

TEST_F(StartupManagerTest, EveryValueIsListedWhateverItsNameLength) {
  const std::string longName(2100, 'n');
  PutString(kHkcuRun, "first", "C:\\1.exe");
  PutString(kHkcuRun, longName, "C:\\long.exe");
  PutString(kHkcuRun, "last", "C:\\3.exe");
  page.Load();
  Pick("HKCU/Run");
  auto rows = Rows();
  EXPECT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[longName], "C:\\long.exe");
  EXPECT_EQ(rows["last"], "C:\\3.exe");

  // Removed by its full name.
  Tick(longName);
  dialogs.AnswerMessageBox(IDNO);
  page.Command44_Click();
  auto values = ValuesOf(kHkcuRun);
  EXPECT_FALSE(values.count(longName));
  EXPECT_EQ(values.size(), 2u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"first", "last"}));
}

TEST_F(StartupManagerTest, EachViewListsItsOwnValuesAndProgramFilesFolder) {
  PutString(kHklmRun, "Native", "%programfiles%\\n.exe");
  PutString(kHklmRun32, "Wow", "%programfiles%\\w.exe");
  page.Load();
  Pick("HKLM/Run");
  EXPECT_EQ(Rows(), (std::map<std::string, std::string>{{"Native", "C:\\Program Files\\n.exe"}}));
  Pick("HKLM/Run (WOW64)");
  EXPECT_EQ(Rows(), (std::map<std::string, std::string>{{"Wow", "C:\\Program Files (x86)\\w.exe"}}));
  EXPECT_EQ(RegReadAccess, kNativeRead);
  EXPECT_EQ(RegWriteAccess, kNativeWrite);
}

TEST_F(StartupManagerTest, AMissingOrEmptyKeyGivesAnEmptyListAndNoMessage) {
  PutString(kHkcuRun, "kept", "C:\\kept.exe");
  DeleteRunKey(kHkcuRunOnce);
  page.Load();
  Pick("HKCU/Run");
  List().Item(1).SetChecked(true);
  Pick("Select a key:");  // no pick of a key: the rows and their ticks stay
  EXPECT_EQ(Names(), std::vector<std::string>{"kept"});
  EXPECT_TRUE(List().Item(1).Checked());
  Pick("HKCU/RunOnce");
  EXPECT_EQ(List().ItemCount(), 0);
  Pick("HKLM/RunOnce");
  EXPECT_EQ(List().ItemCount(), 0);
  Pick("HKCU/Run");  // a pick reads again: ticks are lost
  EXPECT_FALSE(List().Item(1).Checked());
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(StartupManagerTest, AHeaderClickSortsByPathAscendingEveryTime) {
  PutString(kHkcuRun, "a", "C:\\z.exe");
  PutString(kHkcuRun, "b", "C:\\x.exe");
  PutString(kHkcuRun, "c", "C:\\y.exe");
  page.Show();
  Pick("HKCU/Run");
  HWND header = reinterpret_cast<HWND>(SendMessageA(List().hWnd(), LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  for (int click = 0; click < 2; ++click) {
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 10, 5));
    PostMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 10, 5));
    ui::DoEvents();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "c", "a"}));
  }
}

// ---- removal --------------------------------------------------------------------------

TEST_F(StartupManagerTest, RemovalAsksForARestorePointAndDeletesOnlyWhenItMayGoOn) {
  struct Case {
    const char* name;
    int answer;
    std::optional<bool> created;  // a restore point asked for: made or not
    bool deleted;
  };
  const Case cases[] = {
      {"cancel", IDCANCEL, std::nullopt, false},
      {"no restore point", IDNO, std::nullopt, true},
      {"restore point made", IDYES, true, true},
      {"restore point not made", IDYES, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PutString(kHkcuRun, "one", "C:\\1.exe");
    PutString(kHkcuRun, "two", "C:\\2.exe");
    page.Load();
    Pick("HKCU/Run");
    Tick("two");
    points.requests.clear();
    ShowMainAfterRestore = true;  // as once the main window has loaded
    points.createResult = c.created.value_or(true) ? platform::RestorePointResult{S_OK, 0}
                                                   : platform::RestorePointResult{S_OK, 1};
    const size_t before = dialogs.MessageBoxes().size();
    dialogs.AnswerMessageBox(c.answer);
    if (c.created) dialogs.AnswerMessageBox(IDOK);  // the restore-point page's own report
    page.Command44_Click();

    auto boxes = dialogs.MessageBoxes();
    ASSERT_EQ(boxes.size() - before, c.created ? 2u : 1u);
    const auto& question = boxes[before];
    EXPECT_EQ(question.text, LoadResString(278));
    EXPECT_EQ(question.title, "Quenvor Pro");
    EXPECT_EQ(question.Buttons(), static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(question.Icon(), static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_TRUE(question.coloured);
    if (c.created) {
      ASSERT_EQ(points.requests.size(), 1u);
      EXPECT_EQ(points.requests[0].description, "Removal of RegOpenKeyEx objects");
      EXPECT_EQ(points.requests[0].type, 12);
      EXPECT_FALSE(FRMsysRestore->Loaded());
      // The silent restore point left the main window hidden behind the open page.
      EXPECT_FALSE(frmmain.Exists() && frmmain->Loaded() && IsWindowVisible(frmmain->hWnd()));
      EXPECT_TRUE(ShowMainAfterRestore);
    } else {
      EXPECT_TRUE(points.requests.empty());
    }
    EXPECT_EQ(ValuesOf(kHkcuRun).count("two"), c.deleted ? 0u : 1u);
    EXPECT_EQ(ValuesOf(kHkcuRun).count("one"), 1u);
    const std::vector<std::string> left =
        c.deleted ? std::vector<std::string>{"one"} : std::vector<std::string>{"one", "two"};
    EXPECT_EQ(Names(), left);
    ShowMainAfterRestore = false;
    page.Unload();
    CloseMainWindow();
    EmptyRunPlace(kHkcuRun);
  }
}

TEST_F(StartupManagerTest, RemovalDeletesTheTickedRowsInTheShownViewOnly) {
  for (const char* name : {"a", "b", "c", "d"}) PutString(kHklmRun32, name, "C:\\x86.exe");
  PutString(kHklmRun, "b", "C:\\native.exe");
  page.Load();
  Pick("HKLM/Run (WOW64)");
  Tick("b");
  Tick("c");  // two ticked rows side by side
  List().Item(4).SetChecked(false);
  dialogs.AnswerMessageBox(IDNO);
  page.Command44_Click();
  auto wow = ValuesOf(kHklmRun32);
  EXPECT_EQ(wow.size(), 2u);
  EXPECT_TRUE(wow.count("a") && wow.count("d"));
  EXPECT_EQ(StoredText(ValuesOf(kHklmRun).at("b")), "C:\\native.exe");  // the native twin stays
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "d"}));
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);  // the question only: no message ends a removal
}

TEST_F(StartupManagerTest, ThePlaceholderEntryDeletesNothing) {
  PutString(kHkcuRun, "one", "C:\\1.exe");
  page.Load();
  Pick("HKCU/Run");
  Tick("one");
  Pick("Select a key:");
  dialogs.AnswerMessageBox(IDNO);  // asked all the same
  page.Command44_Click();
  EXPECT_EQ(ValuesOf(kHkcuRun).count("one"), 1u);
  EXPECT_EQ(Names(), std::vector<std::string>{"one"});
  EXPECT_TRUE(List().Item(1).Checked());

  // An empty list is not asked about.
  page.Unload();
  page.Load();
  page.Command44_Click();
  EXPECT_TRUE(dialogs.MessageBoxes().size() == 1u);
}

TEST_F(StartupManagerTest, ARowLeavesOnlyWhenItsValueIsGone) {
  // The key deleted behind the page: its values are gone, and so are their rows.
  PutString(kHkcuRun, "one", "C:\\1.exe");
  PutString(kHkcuRun, "two", "C:\\2.exe");
  page.Load();
  Pick("HKCU/Run");
  Tick("one");
  DeleteRunKey(kHkcuRun);
  dialogs.AnswerMessageBox(IDNO);
  page.Command44_Click();
  EXPECT_EQ(Names(), std::vector<std::string>{"two"});
  EXPECT_EQ(dialogs.MessageBoxes().size(), 1u);

  // A key that refuses the deletion keeps its values: their rows stay, ticked, and a
  // message names them.
  PutString(kHkcuRun, "a", "C:\\1.exe");
  PutString(kHkcuRun, "b", "C:\\2.exe");
  PutString(kHkcuRun, "c", "C:\\3.exe");
  Pick("HKCU/Run");
  Tick("a");
  Tick("c");
  {
    ReadOnlyKey locked(kHkcuRun);
    dialogs.AnswerMessageBox(IDNO);
    dialogs.AnswerMessageBox(IDOK);
    page.Command44_Click();
  }
  EXPECT_EQ(ValuesOf(kHkcuRun).size(), 3u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_TRUE(List().Item(1).Checked());
  auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[2].text, "These entries could not be removed from HKCU/Run:\r\n\r\na\r\nc");
  EXPECT_EQ(boxes[2].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(boxes[2].coloured);
}

// ---- addition -------------------------------------------------------------------------

struct AddCase {
  const char* name;
  std::optional<std::string> typed;  // nullopt: the box left as it opens
  std::string file;
  int everyUser, everyStart;
  const RunPlace* place;
  std::string valueName;
  std::string stored;
};

TEST_F(StartupManagerTest, AnAddedEntryGoesToThePlaceTheAnswersChoose) {
  const AddCase cases[] = {
      {"every user, every start", "Updater", "C:\\Tools\\up.exe", IDYES, IDYES, &kHklmRun, "Updater", "C:\\Tools\\up.exe"},
      {"every user, once", "Once", "C:\\Tools\\once.exe", IDYES, IDNO, &kHklmRunOnce, "Once", "C:\\Tools\\once.exe"},
      {"this user, every start", "Mine", "C:\\Program Files\\My App\\app.exe", IDNO, IDYES, &kHkcuRun, "Mine",
       "\"C:\\Program Files\\My App\\app.exe\""},
      {"this user, once, box untouched", std::nullopt, "C:\\t.exe", IDNO, IDNO, &kHkcuRunOnce, "Description",
       "C:\\t.exe"},
      {"emptied description", "", "C:\\d.exe", IDNO, IDYES, &kHkcuRun, "", "C:\\d.exe"},
  };
  PutString(kHkcuRun, "shown", "C:\\shown.exe");
  page.Load();
  Pick("HKCU/Run");
  for (const AddCase& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t before = dialogs.Calls().size();
    AnswerInputBox(c.typed, true);
    dialogs.AnswerOpenFile(true, c.file);
    dialogs.AnswerMessageBox(c.everyUser);
    dialogs.AnswerMessageBox(c.everyStart);
    dialogs.AnswerMessageBox(IDOK);
    page.Command7_Click();

    auto values = ValuesOf(*c.place);
    ASSERT_TRUE(values.count(c.valueName));
    EXPECT_EQ(values[c.valueName].type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(StoredText(values[c.valueName]), c.stored);
    if (c.place == &kHklmRun) {
      EXPECT_FALSE(ValuesOf(kHklmRun32).count(c.valueName));  // the native view only
    }

    const auto& calls = dialogs.Calls();
    ASSERT_EQ(calls.size() - before, 4u);
    const auto& file = calls[before];
    EXPECT_EQ(file.kind, FakeDialogs::Kind::OpenFile);
    EXPECT_TRUE(file.coloured);
    EXPECT_EQ(file.request.filter, "");
    EXPECT_EQ(file.request.title, "");
    const auto& who = calls[before + 1];
    EXPECT_EQ(who.text, LoadResString(175));
    EXPECT_EQ(who.style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL));
    const auto& how = calls[before + 2];
    EXPECT_EQ(how.text, LoadResString(176));
    EXPECT_EQ(how.style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    const auto& done = calls[before + 3];
    EXPECT_EQ(done.text, "Your item was added to the startup area of the registry.");
    EXPECT_EQ(done.Icon(), static_cast<UINT>(MB_ICONINFORMATION));
    for (const auto& call : {who, how, done}) {
      EXPECT_EQ(call.title, "Quenvor Pro");
      EXPECT_TRUE(call.coloured);
    }
  }
  // The list is not read again; a pick shows the new entries without their quotes.
  EXPECT_EQ(Names(), std::vector<std::string>{"shown"});
  Pick("HKCU/Run");
  auto rows = Rows();
  EXPECT_EQ(rows["Mine"], "C:\\Program Files\\My App\\app.exe");
  EXPECT_EQ(rows[""], "C:\\d.exe");
}

TEST_F(StartupManagerTest, AMissingRunOnceKeyIsMadeAndAKeyThatRefusesGetsOurMessage) {
  DeleteRunKey(kHkcuRunOnce);
  page.Load();
  AnswerInputBox("Later", true);
  dialogs.AnswerOpenFile(true, "C:\\later.exe");
  dialogs.AnswerMessageBox(IDNO);
  dialogs.AnswerMessageBox(IDNO);
  dialogs.AnswerMessageBox(IDOK);
  page.Command7_Click();
  EXPECT_EQ(StoredText(ValuesOf(kHkcuRunOnce).at("Later")), "C:\\later.exe");
  EXPECT_EQ(dialogs.MessageBoxes().back().text, LoadResString(630));

  {
    ReadOnlyKey locked(kHkcuRun);
    AnswerInputBox("Refused", true);
    dialogs.AnswerOpenFile(true, "C:\\refused.exe");
    dialogs.AnswerMessageBox(IDNO);
    dialogs.AnswerMessageBox(IDYES);
    dialogs.AnswerMessageBox(IDOK);
    page.Command7_Click();
  }
  EXPECT_FALSE(ValuesOf(kHkcuRun).count("Refused"));
  const auto box = dialogs.MessageBoxes().back();
  EXPECT_EQ(box.text, "Your item could not be added to the startup area of the registry.");
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(StartupManagerTest, ACancelAtAnyStepWritesNothing) {
  struct Case {
    const char* name;
    bool inputOk;
    bool fileChosen;
    int everyUser, everyStart;  // 0: not asked
    size_t boxes;
  };
  const Case cases[] = {
      {"input box", false, false, 0, 0, 0},
      {"file dialog", true, false, 0, 0, 0},
      {"every user", true, true, IDCANCEL, 0, 1},
      {"every start", true, true, IDYES, IDCANCEL, 2},
  };
  page.Load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t before = dialogs.MessageBoxes().size();
    AnswerInputBox("Nothing", c.inputOk);
    if (c.inputOk) dialogs.AnswerOpenFile(c.fileChosen, "C:\\nothing.exe");
    if (c.everyUser) dialogs.AnswerMessageBox(c.everyUser);
    if (c.everyStart) dialogs.AnswerMessageBox(c.everyStart);
    page.Command7_Click();
    EXPECT_EQ(dialogs.MessageBoxes().size() - before, c.boxes);
    for (const RunPlace* place : {&kHkcuRun, &kHkcuRunOnce, &kHklmRun, &kHklmRunOnce})
      EXPECT_FALSE(ValuesOf(*place).count("Nothing"));
  }
}

}  // namespace
