// The junk cleaner page on drive J:, which prepare.sh maps to a folder of the prefix that
// holds one link (J:\linked) to a canary folder outside the drive: what a search lists and
// shows, the Prefetch option, and the deletion into the prefix's real recycle bin (the XDG
// trash of $XDG_DATA_HOME), including what recycling must never do. The search routine
// itself is tested in junk_search_test.cpp.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "maintenance/JunkSearch.h"
#include "maintenance/frmDiskCleaner.h"
#include "maintenance_fixtures.h"
#include "platform/locale_numbers.h"
#include "platform/seam.h"
#include "platform/shell_ops.h"
#include "shell/Strings.h"
#include "shell/PageFrame.h"
#include "shell/frmmain.h"
#include "shell/frmprogress.h"
#include "support/fake_clock.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"
#include "support/paint_log.h"
#include "support/recycle_bin.h"
#include "support/scoped_environment.h"
#include "support/test_child.h"

namespace {

std::wstring J(const std::wstring& relative) { return kJunkDrive + relative; }
// A row as the page writes it: the drive as its list names it ("j:") and the path below.
std::string Row(const std::string& relative) { return "j:\\" + relative; }

// The shell's own dialogs (not message boxes of the program): each one that comes up on
// this thread is recorded and answered with `answer`; `whileFirstUp` runs with the first
// one's window while it is up, before it is answered. A thread timer runs inside the
// dialog's modal loop.
class ShellDialogs {
 public:
  struct Shown {
    std::string title;
    std::string text;  // the texts of its static controls, one after the other
  };
  explicit ShellDialogs(int answer, std::function<void(HWND dialog)> whileFirstUp = {})
      : answer_(answer), whileFirstUp_(std::move(whileFirstUp)) {
    running_ = this;
    timer_ = SetTimer(nullptr, 0, 10, &Tick);
  }
  ~ShellDialogs() {
    KillTimer(nullptr, timer_);
    running_ = nullptr;
  }
  const std::vector<Shown>& Seen() const { return seen_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (running_) EnumThreadWindows(GetCurrentThreadId(), &Found, 0);
  }
  static BOOL CALLBACK StaticText(HWND child, LPARAM param) {
    char cls[16]{}, text[1024]{};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
      reinterpret_cast<Shown*>(param)->text += text;
    return TRUE;
  }
  static BOOL CALLBACK Found(HWND window, LPARAM) {
    char name[16]{};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window) ||
        std::find(running_->answered_.begin(), running_->answered_.end(), window) != running_->answered_.end())
      return TRUE;
    running_->answered_.push_back(window);
    Shown shown;
    char text[1024]{};
    GetWindowTextA(window, text, sizeof text);
    shown.title = text;
    EnumChildWindows(window, &StaticText, reinterpret_cast<LPARAM>(&shown));
    running_->seen_.push_back(shown);
    if (running_->seen_.size() == 1 && running_->whileFirstUp_) running_->whileFirstUp_(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(running_->answer_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, running_->answer_)));
    return TRUE;
  }

  static inline ShellDialogs* running_ = nullptr;
  int answer_;
  std::function<void(HWND)> whileFirstUp_;
  UINT_PTR timer_ = 0;
  std::vector<HWND> answered_;
  std::vector<Shown> seen_;
};

// A clock that moves by `step` at every reading and keeps the readings.
class SteppingClock : public FakeClock {
 public:
  DWORD step = 0;
  std::vector<DWORD> readings;
  DWORD TickCount() override {
    const DWORD now = ticks;
    readings.push_back(now);
    ticks += step;
    return now;
  }
};

// Records what the page showed when each message box came up.
class WatchingDialogs : public FakeDialogs {
 public:
  struct Figures {
    std::string scanned, found, time;
  };
  std::vector<Figures> atBox;
  int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT style) override {
    if (frmDiskCleaner->Loaded())
      atBox.push_back({frmDiskCleaner->Text4->Text(), frmDiskCleaner->Text5->Text(), frmDiskCleaner->Text6->Text()});
    return FakeDialogs::MessageBox(owner, text, title, style);
  }
};

class DiskCleanerPageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RunningUnderWine()) << "the page is tested against Wine's recycle bin";
    EmptyFolder(kJunkDrive, {L"linked"});
    JunkSearch = JunkSearchState();
    frmDiskCleaner->Show();
    ASSERT_TRUE(Page().Drive1->SetDrive("j"));
  }
  void TearDown() override {
    CloseMainWindow();
    EmptyFolder(kJunkDrive, {L"linked"});
    for (const std::wstring& name : trashed_) ForgetTrashed(name);
  }
  FrmDiskCleaner& Page() { return *frmDiskCleaner; }
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 1; i <= Page().ListView2->ItemCount(); ++i) rows.push_back(Page().ListView2->Item(i).Text());
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  std::vector<bool> Ticks() {
    std::vector<bool> ticks;
    for (int i = 1; i <= Page().ListView2->ItemCount(); ++i) ticks.push_back(Page().ListView2->Item(i).Checked());
    return ticks;
  }
  void Tick(const std::string& row) {
    for (int i = 1; i <= Page().ListView2->ItemCount(); ++i)
      if (Page().ListView2->Item(i).Text() == row) return Page().ListView2->Item(i).SetChecked(true);
    ADD_FAILURE() << "no row " << row;
  }
  // A name that will be recycled in this test: the trash forgets it before and after.
  void WillRecycle(const std::wstring& name) {
    ForgetTrashed(name);
    trashed_.push_back(name);
  }
  // Delete Selected Files, answered Yes.
  void DeleteTicked() {
    FakeDialogs yes;
    platform::Override<platform::Dialogs> useYes(yes);
    yes.AnswerMessageBox(IDYES);
    Page().Command25_Click();
    ExpectOnlyMessageBox(yes, LoadResString(36), MB_YESNO | MB_ICONQUESTION);
  }
  void ExpectCanaryUntouched() {
    EXPECT_TRUE(Exists(kCanaryFolder + L"\\canary.tmp"));
    EXPECT_TRUE(Exists(kCanaryFolder + L"\\~canary.doc"));
    EXPECT_TRUE(Exists(J(L"linked")));
  }

  FakeDialogs dialogs;  // the search shows no message unless the Prefetch box is ticked
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  std::vector<std::wstring> trashed_;
};

TEST_F(DiskCleanerPageTest, OpensWithItsCaptionsAndEmptyFigures) {
  EXPECT_EQ(Page().Caption(), "Disk Cleaner");
  EXPECT_EQ(Page().Check15->Caption(), "Search SubFolders");
  EXPECT_EQ(Page().Check15->Value(), 1);
  EXPECT_EQ(Page().Check9[0].Caption(), "Remove Prefetch Files");
  EXPECT_EQ(Page().Check9[0].ToolTipText(), LoadResString(751));
  EXPECT_EQ(Page().Check9[0].Value(), 0);
  EXPECT_EQ(Page().Command22->Caption(), "Begin Search");
  EXPECT_EQ(Page().Command25->Caption(), "Delete Selected Files");
  EXPECT_EQ(Page().ListView2->ItemCount(), 0);
  EXPECT_EQ(Page().ListView2->Settings() & ui::kListReport, 0) << "the items alone";
  EXPECT_EQ(Page().Text4->Text(), "");
  EXPECT_EQ(Page().Text5->Text(), "");
  EXPECT_EQ(Page().Text6->Text(), "");
}

TEST_F(DiskCleanerPageTest, TheSearchListsTheDrivesJunkAndDeleteRecyclesItButNothingBehindTheLink) {
  // Wine shows the host link J:\linked as a folder that is a reparse point.
  EXPECT_EQ(GetFileAttributesW(J(L"linked").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  for (const wchar_t* name : {L"a.tmp", L"readme.txt", L"WINZIP.LOG", L"~abc", L"sub\\b.chk", L"sub\\keep.doc",
                              L".cache\\never.tmp"})
    MakeFile(J(name));
  MakeFile(J(L"~$report.doc"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  for (const wchar_t* name : {L"a.tmp", L"WINZIP.LOG", L"~$report.doc", L"b.chk"}) WillRecycle(name);

  Page().Command22_Click();
  // "~abc" is no match: PathMatchSpecW under Wine wants a "." for "~*.*".
  const std::vector<std::string> junk = {Row("WINZIP.LOG"), Row("a.tmp"), Row("sub\\b.chk"), Row("~$report.doc")};
  EXPECT_EQ(Rows(), junk);
  EXPECT_EQ(JunkSearch.SearchRoot, "j:\\");
  EXPECT_TRUE(JunkSearch.SearchSubFolders);
  // The root: 8 entries (the link among them, counted once and not searched); sub: ".",
  // "..", two files, and itself once more when searched.
  EXPECT_EQ(JunkSearch.FilesScanned, 8 + 4 + 1);
  EXPECT_EQ(JunkSearch.FilesFound, 4);
  EXPECT_EQ(Page().Text4->Text(), "13");
  EXPECT_EQ(Page().Text5->Text(), "4");
  EXPECT_EQ(Page().Text6->Text().substr(Page().Text6->Text().size() - 7), "seconds");
  EXPECT_TRUE(dialogs.Calls().empty());

  Page().Command23_Click();
  EXPECT_EQ(Ticks(), std::vector<bool>(4, true));
  Page().Command24_Click();
  EXPECT_EQ(Ticks(), std::vector<bool>(4, false));
  Page().Command23_Click();
  const int closings = frmprogress->Closings();
  DeleteTicked();

  // Into the prefix's trash, nothing deleted for good; the other files stay.
  for (const wchar_t* path : {L"a.tmp", L"WINZIP.LOG", L"~$report.doc", L"sub\\b.chk"}) EXPECT_FALSE(Exists(J(path)));
  for (const wchar_t* name : {L"a.tmp", L"WINZIP.LOG", L"~$report.doc", L"b.chk"})
    EXPECT_TRUE(Exists(TrashedFile(name))) << Narrow(name) << " is not in the recycle bin";
  for (const wchar_t* path : {L"readme.txt", L"~abc", L"sub\\keep.doc", L".cache\\never.tmp"}) EXPECT_TRUE(Exists(J(path)));
  ExpectCanaryUntouched();
  EXPECT_EQ(frmprogress->Closings(), closings + 1);
  EXPECT_EQ(frmprogress->LastClosing().caption, "Deleting Files");
  EXPECT_EQ(frmprogress->LastClosing().max, 4);
  EXPECT_EQ(frmprogress->LastClosing().value, 4);
  EXPECT_FALSE(frmprogress->Loaded());
  EXPECT_EQ(Page().ListView2->ItemCount(), 0);
  EXPECT_EQ(Page().Text4->Text(), "13") << "the figures stay";
  EXPECT_EQ(Page().Text5->Text(), "4");
}

TEST_F(DiskCleanerPageTest, WithoutSubFoldersOnlyTheRootIsMatchedAndEveryEntryCountsOnce) {
  MakeFile(J(L"top.tmp"));
  MakeFile(J(L"sub\\deep.tmp"));
  Page().Check15->SetValue(0);
  Page().Command22_Click();
  EXPECT_EQ(Rows(), std::vector<std::string>{Row("top.tmp")});
  EXPECT_EQ(JunkSearch.FilesScanned, 3) << "top.tmp, sub and the link";
  EXPECT_FALSE(JunkSearch.SearchSubFolders);
}

TEST_F(DiskCleanerPageTest, EachPathShowsWholeAcrossTheListsWidth) {
  // The list view sizes the items of a list without columns by the first row it gets (a
  // short path here, or the long one) unless told otherwise.
  MakeFile(J(L"s.tmp"));
  MakeFile(J(L"a folder whose name is long enough\\and one more folder below it\\the junk file itself.tmp"));
  for (int search = 0; search < 2; ++search) {
    SCOPED_TRACE(search == 0 ? "first search" : "second search");
    Page().Command22_Click();
    ASSERT_EQ(Page().ListView2->ItemCount(), 2);
    EXPECT_GT(Page().ListView2->Width(), 11040) << "the page is scaled to the 1280-pixel screen";
    const HWND list = Page().ListView2->hWnd();
    RECT client{};
    GetClientRect(list, &client);
    // The items' column was scaled with the list: it fills the list's client width and no
    // more.
    const LRESULT column = SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0);
    EXPECT_LE(column, client.right);
    EXPECT_GE(column, client.right - 2);
    const int longRow = Page().ListView2->Item(1).Text().size() > 10 ? 0 : 1;
    const std::string path = Page().ListView2->Item(longRow + 1).Text();
    RECT label{};
    label.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, longRow, reinterpret_cast<LPARAM>(&label)));
    EXPECT_GE(label.right - label.left, SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(path.c_str())))
        << path << " is cut";
  }
}

TEST_F(DiskCleanerPageTest, DeleteAsksFirstAndRecyclesOnlyTickedRowsBelowTheSearchedRoot) {
  MakeFile(J(L"one.tmp"));
  MakeFile(J(L"two.tmp"));
  WillRecycle(L"two.tmp");
  Page().Command22_Click();
  ASSERT_EQ(Page().ListView2->ItemCount(), 2);

  // No: nothing happens.
  {
    FakeDialogs no;
    platform::Override<platform::Dialogs> useNo(no);
    no.AnswerMessageBox(IDNO);
    const int closings = frmprogress->Closings();
    Page().Command23_Click();
    Page().Command25_Click();
    EXPECT_EQ(frmprogress->Closings(), closings);
    EXPECT_EQ(Page().ListView2->ItemCount(), 2);
    EXPECT_TRUE(Exists(J(L"one.tmp")));
  }

  // A row the search did not make, outside the drive, is never recycled; neither is an
  // unticked one.
  Page().Command24_Click();
  Page().ListView2->AddItem(Narrow(kCanaryFolder) + "\\canary.tmp");
  Page().ListView2->Item(3).SetChecked(true);
  Tick(Row("two.tmp"));
  DeleteTicked();
  EXPECT_TRUE(Exists(J(L"one.tmp")));
  EXPECT_FALSE(Exists(J(L"two.tmp")));
  EXPECT_TRUE(Exists(TrashedFile(L"two.tmp")));
  ExpectCanaryUntouched();
  EXPECT_EQ(frmprogress->LastClosing().max, 3);
  EXPECT_EQ(Page().ListView2->ItemCount(), 0) << "unticked rows go too";

  // An empty list: the question, a progress run to a maximum of 0, nothing else.
  DeleteTicked();
  EXPECT_EQ(frmprogress->LastClosing().max, 0);
  EXPECT_EQ(frmprogress->LastClosing().value, 0);
  EXPECT_TRUE(Exists(J(L"one.tmp")));
}

TEST_F(DiskCleanerPageTest, ARowWhoseNameTheCodePageCannotShowIsNeverRecycled) {
  // The ANSI listing gives "snow?.tmp" for the snowman; to the shell "?" is a wildcard
  // that would take "snowA.tmp" and the snowman's file with it.
  MakeFile(J(L"snow\u2603.tmp"));
  MakeFile(J(L"snowA.tmp"));
  WillRecycle(L"snowA.tmp");
  Page().Command22_Click();
  EXPECT_EQ(Rows(), (std::vector<std::string>{Row("snow?.tmp"), Row("snowA.tmp")}));
  Tick(Row("snow?.tmp"));
  DeleteTicked();
  EXPECT_TRUE(Exists(J(L"snow\u2603.tmp")));
  EXPECT_TRUE(Exists(J(L"snowA.tmp")));

  // The row of the representable name is recycled alone.
  Page().Command22_Click();
  Tick(Row("snowA.tmp"));
  DeleteTicked();
  EXPECT_TRUE(Exists(J(L"snow\u2603.tmp")));
  EXPECT_FALSE(Exists(J(L"snowA.tmp")));
  EXPECT_TRUE(Exists(TrashedFile(L"snowA.tmp")));
}

TEST_F(DiskCleanerPageTest, ThePrefetchOptionClearsThePrefetchFilesAndSaysSoBeforeTheFinalFigures) {
  // Windows 7 has the folder; the test prefix does not.
  const std::wstring prefetch = L"C:\\windows\\Prefetch";
  const bool existed = Exists(prefetch);
  MakeFile(prefetch + L"\\QUENVOR.EXE-1A2B3C4D.pf");
  MakeFile(prefetch + L"\\OTHER.PF");
  MakeFile(prefetch + L"\\keep.txt");
  MakeFolder(prefetch + L"\\folder.pf");
  MakeFile(J(L"found.tmp"));

  WatchingDialogs watching;
  platform::Override<platform::Dialogs> useWatching(watching);
  Page().Check9[0].SetValue(1);
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "a file found" : "nothing found");
    watching.AnswerMessageBox(IDOK);
    Page().Command22_Click();
    ASSERT_EQ(watching.MessageBoxes().size(), static_cast<size_t>(run + 1));
    const auto box = watching.MessageBoxes().back();
    EXPECT_EQ(box.text, "Prefetch files have been cleared!");
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(box.title, "Quenvor Pro");
    EXPECT_TRUE(box.coloured);
    // While the message is up the counters stand at their final count, and the time is
    // not written yet.
    EXPECT_EQ(watching.atBox.back().scanned, std::to_string(JunkSearch.FilesScanned));
    EXPECT_EQ(watching.atBox.back().found, std::to_string(JunkSearch.FilesFound));
    EXPECT_EQ(watching.atBox.back().time, "");
    EXPECT_NE(Page().Text6->Text(), "");
    EXPECT_EQ(Page().Text5->Text(), run == 0 ? "1" : "0");
    EXPECT_FALSE(Exists(prefetch + L"\\QUENVOR.EXE-1A2B3C4D.pf"));
    EXPECT_FALSE(Exists(prefetch + L"\\OTHER.PF"));
    EXPECT_TRUE(Exists(prefetch + L"\\keep.txt"));
    EXPECT_TRUE(Exists(prefetch + L"\\folder.pf"));
    DeleteFileW(J(L"found.tmp").c_str());
  }
  if (!existed) RemoveTree(prefetch);
}

TEST_F(DiskCleanerPageTest, CountersPaintAtABoundedRateAndTheTimeComesFromTheUnsignedTickDifference) {
  for (int i = 0; i < 60; ++i) MakeFile(J(L"many\\" + std::to_wstring(i) + (i % 2 ? L".tmp" : L".txt")));
  SteppingClock clock;
  platform::Override<platform::Clock> useClock(clock);
  clock.step = 7;
  clock.ticks = 0xFFFFFFFFu - 100;  // the tick count wraps during the search
  PaintLog scanned(Page().Text4->hWnd(), [&] { return clock.ticks; });
  PaintLog found(Page().Text5->hWnd(), [&] { return clock.ticks; });
  Page().Command22_Click();

  ASSERT_EQ(JunkSearch.FilesFound, 30);
  const DWORD start = clock.readings.front(), end = clock.readings.back();
  EXPECT_LT(end, start) << "the clock wrapped";
  EXPECT_EQ(Page().Text6->Text(), CleanerTimeText(start, end));
  EXPECT_EQ(Page().Text6->Text(),
            platform::LocaleNumber((end - start) / 1000.0, 2, true) + "seconds");
  for (const PaintLog* log : {&scanned, &found}) {
    const auto& paints = log->Paints();
    // Cleared, then the running figure at most every 50 ms, then the final figure.
    ASSERT_GE(paints.size(), 4u);
    EXPECT_GE(log->SmallestGap(1, paints.size() - 1), 50) << "running figures painted too often";
    EXPECT_LE(paints.size(), 2 + (end - start) / 50 + 1);
  }
  EXPECT_EQ(scanned.Paints().back().text, std::to_string(JunkSearch.FilesScanned));
  EXPECT_EQ(found.Paints().back().text, "30");
  EXPECT_LT(scanned.Paints().size(), static_cast<size_t>(JunkSearch.FilesScanned) / 2) << "not once per entry";
}

TEST(DiskCleanerFigures, CountsAndTimeInTheUsersLocale) {
  // The test prefix's locale is English (United States).
  EXPECT_EQ(CleanerCountText(0), "0");
  EXPECT_EQ(CleanerCountText(999), "999");
  EXPECT_EQ(CleanerCountText(1000), "1,000");
  EXPECT_EQ(CleanerCountText(INT32_MAX), "2,147,483,647");
  struct Case {
    DWORD start, end;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, "0.00seconds"},
      {5000, 6234, "1.23seconds"},
      // After 27 hours of uptime a single-precision tick count has lost its milliseconds.
      {100000003, 100001237, "1.23seconds"},
      // Across the wrap of the tick count: never negative.
      {0xFFFFFC18u, 1000, "2.00seconds"},
      {0x7FFFFFFBu, 0x80000005u, "0.01seconds"},
      {1, 3600001, "3,600.00seconds"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanerTimeText(c.start, c.end), c.text) << c.start << " to " << c.end;
}

TEST(DiskCleanerRecycling, QuietRecyclingAsksNothingAndLandsInThePrefixsTrash) {
  ASSERT_TRUE(RunningUnderWine());
  EXPECT_EQ(RecycleFlags(true), static_cast<FILEOP_FLAGS>(0x4450));
  EXPECT_EQ(RecycleFlags(false), static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO));
  ScratchFolder scratch;
  const std::wstring name = L"quenvor-cleaner-quiet." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  ForgetTrashed(name);
  MakeFile(scratch.Sub(name));
  {
    ShellDialogs shell(IDNO);
    EXPECT_TRUE(frmDiskCleaner->MoveToRecycleBin(Narrow(scratch.Sub(name)), true));
    EXPECT_TRUE(shell.Seen().empty()) << "the shell asked: " << shell.Seen()[0].title;
  }
  EXPECT_FALSE(Exists(scratch.Sub(name)));
  EXPECT_TRUE(Exists(TrashedFile(name)));
  ForgetTrashed(name);
  EXPECT_FALSE(frmDiskCleaner->Loaded()) << "a public procedure alone does not load the page";

  // Not quiet: the shell asks, and No keeps the file.
  MakeFile(scratch.Sub(name));
  {
    ShellDialogs shell(IDNO);
    EXPECT_FALSE(frmDiskCleaner->MoveToRecycleBin(Narrow(scratch.Sub(name)), false));
    EXPECT_EQ(shell.Seen().size(), 1u);
  }
  EXPECT_TRUE(Exists(scratch.Sub(name)));
}

TEST(DiskCleanerRecycling, APathWithAWildcardIsRefusedAndNothingIsTouched) {
  ScratchFolder scratch;
  MakeFile(scratch.Sub(L"snow\u2603.tmp"));
  MakeFile(scratch.Sub(L"snowA.tmp"));
  for (const wchar_t* spec : {L"snow?.tmp", L"snow*.tmp", L"*.*", L"sno?A.tmp"}) {
    ShellDialogs shell(IDNO);
    EXPECT_FALSE(frmDiskCleaner->MoveToRecycleBin(Narrow(scratch.Sub(spec)), true)) << Narrow(spec);
    EXPECT_TRUE(shell.Seen().empty());
  }
  EXPECT_TRUE(Exists(scratch.Sub(L"snow\u2603.tmp")));
  EXPECT_TRUE(Exists(scratch.Sub(L"snowA.tmp")));
  EXPECT_FALSE(frmDiskCleaner->MoveToRecycleBin("", true));
}

TEST(DiskCleanerRecycling, AFileThatIsALinkOrLiesBeyondOneIsNeverRecycled) {
  // prepare.sh: recycle\link.tmp is a link to the canary's canary.tmp, and jdrive\linked a
  // link to the canary folder.
  const std::wstring fixtures = L"C:\\QuenvorMaintenance";
  ASSERT_TRUE(Exists(fixtures + L"\\canary\\canary.tmp")) << "the fixture of tests/maintenance/prepare.sh is missing";
  for (const std::wstring& path : {fixtures + L"\\recycle\\link.tmp", fixtures + L"\\jdrive\\linked\\canary.tmp"}) {
    ShellDialogs shell(IDNO);
    EXPECT_FALSE(frmDiskCleaner->MoveToRecycleBin(Narrow(path), true)) << Narrow(path);
    EXPECT_TRUE(shell.Seen().empty());
  }
  EXPECT_TRUE(Exists(fixtures + L"\\canary\\canary.tmp"));
  EXPECT_TRUE(Exists(fixtures + L"\\recycle\\link.tmp"));
  EXPECT_FALSE(Exists(TrashedFile(L"canary.tmp")));
  EXPECT_FALSE(Exists(TrashedFile(L"link.tmp")));
}

// Run as a child of the test below, with a recycle bin that cannot be made (see
// RunWithoutRecycleBin).
constexpr const char* kNoTrashReport = "QUENVOR_CLEANER_NO_TRASH_REPORT";

// The page open over two junk files on drive J:, as the child runs below use it.
class TwoJunkFiles {
 public:
  explicit TwoJunkFiles(FakeDialogs& dialogs) : dialogs_(dialogs) {
    EmptyFolder(kJunkDrive, {L"linked"});
    MakeFile(J(L"first.tmp"));
    MakeFile(J(L"second.tmp"));
    frmmain->Show();
    OpenPage(page);
  }
  FrmDiskCleaner& page = *frmDiskCleaner;
  void SearchAndTickAll() {
    ASSERT_TRUE(page.Drive1->SetDrive("j"));
    page.Command22_Click();
    ASSERT_EQ(page.ListView2->ItemCount(), 2);
    page.Command23_Click();
  }
  // Delete Selected Files as a user presses it (through the page's window), answered Yes.
  void PressDelete() {
    dialogs_.AnswerMessageBox(IDYES);
    SendMessageA(page.Command25->hWnd(), BM_CLICK, 0, 0);
    ui::DoEvents();
  }
  static void ExpectFilesKept() {
    EXPECT_TRUE(Exists(J(L"first.tmp")));
    EXPECT_TRUE(Exists(J(L"second.tmp")));
  }

 private:
  FakeDialogs& dialogs_;
};

TEST(DiskCleanerWithoutRecycleBin, ChildRun) {
  const char* report = std::getenv(kNoTrashReport);
  if (!report) GTEST_SKIP() << "runs only as the child of WithoutARecycleBinNothingIsDeletedUnasked";
  ScratchFolder scratch;
  // The Part's flags (0x450): the shell deletes the file for good and reports success.
  const std::wstring part = scratch.Sub(L"part.tmp");
  MakeFile(part);
  {
    ShellDialogs shell(IDNO);
    const platform::ShellDeleteResult result = platform::ShellDelete(Narrow(part), 0x450, nullptr);
    EXPECT_EQ(result.code, 0);
    EXPECT_FALSE(result.aborted);
    EXPECT_TRUE(shell.Seen().empty());
  }
  EXPECT_FALSE(Exists(part)) << "the probe no longer holds: the shell kept the file";

  // Ours: the shell asks before deleting for good; No keeps the file and gives false.
  const std::wstring ours = scratch.Sub(L"ours.tmp");
  MakeFile(ours);
  ShellDialogs shell(IDNO);
  EXPECT_FALSE(frmDiskCleaner->MoveToRecycleBin(Narrow(ours), true));
  EXPECT_TRUE(Exists(ours));
  ASSERT_EQ(shell.Seen().size(), 1u);
  EXPECT_EQ(shell.Seen()[0].title, "Confirm file deletion");
  std::ofstream(report) << "ran\n";
}

// The page's deletion of files that cannot go to the recycle bin: the shell asks about
// each, owned by the page, with the page and the main window disabled. Whatever the
// program does meanwhile (a second press of Delete Selected Files, the page closed and
// opened again, a new search), the deletion stops cleanly and nothing is deleted for good.
TEST(DiskCleanerWithoutRecycleBin, PageChildRun) {
  const char* report = std::getenv(kNoTrashReport);
  if (!report) GTEST_SKIP() << "runs only as the child of WhileTheShellAsksThePageCanNeitherCrashNorLoseFiles";
  FakeSound sound;
  platform::Override<platform::Sound> useSound(sound);
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  TwoJunkFiles junk(dialogs);
  FrmDiskCleaner& page = junk.page;

  {
    SCOPED_TRACE("a second press while the shell asks");
    junk.SearchAndTickAll();
    const HWND pageWindow = page.hWnd();
    ShellDialogs shell(IDNO, [&](HWND question) {
      EXPECT_EQ(GetWindow(question, GW_OWNER), pageWindow);
      EXPECT_FALSE(IsWindowEnabled(pageWindow));
      EXPECT_FALSE(IsWindowEnabled(frmmain->hWnd()));
      EXPECT_FALSE(IsWindowEnabled(frmprogress->hWnd()));
      // A press that got through anyway: it asks, then runs the list through (the shell
      // asks about both files again) and empties it.
      dialogs.AnswerMessageBox(IDYES);
      page.Command25_Click();
      EXPECT_EQ(page.ListView2->ItemCount(), 0);
    });
    junk.PressDelete();
    EXPECT_EQ(shell.Seen().size(), 3u);
    for (const auto& question : shell.Seen()) EXPECT_EQ(question.title, "Confirm file deletion");
    junk.ExpectFilesKept();
    EXPECT_TRUE(page.Loaded());
    EXPECT_EQ(page.ListView2->ItemCount(), 0);
    EXPECT_FALSE(frmprogress->Loaded());
    // Everything that was enabled before is enabled again.
    EXPECT_TRUE(IsWindowEnabled(page.hWnd()));
    EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));
  }
  {
    SCOPED_TRACE("the page closed and opened again while the shell asks");
    junk.SearchAndTickAll();
    ShellDialogs shell(IDNO, [&](HWND) {
      page.Command1_Click();
      EXPECT_FALSE(page.Loaded());
      OpenPage(page);
      // The same number of rows, ticked, in the page loaded anew: none of them was agreed
      // to by the press that asked the shell.
      junk.SearchAndTickAll();
    });
    junk.PressDelete();
    EXPECT_EQ(shell.Seen().size(), 1u) << "the deletion went on in the page opened anew";
    junk.ExpectFilesKept();
    EXPECT_TRUE(page.Loaded());
    EXPECT_TRUE(IsWindowVisible(page.hWnd()));
    // No ASSERT in the test's own body: the main window is closed at its end whatever happens.
    EXPECT_EQ(page.ListView2->ItemCount(), 2) << "the new search's rows stay";
    EXPECT_TRUE(page.ListView2->ItemCount() == 2 && page.ListView2->Item(1).Checked());
    EXPECT_FALSE(frmprogress->Loaded());
    EXPECT_TRUE(IsWindowEnabled(page.hWnd()));
  }
  {
    SCOPED_TRACE("the page closed while the shell asks");
    junk.SearchAndTickAll();
    ShellDialogs shell(IDNO, [&](HWND) { page.Command1_Click(); });
    junk.PressDelete();
    EXPECT_EQ(shell.Seen().size(), 1u);
    junk.ExpectFilesKept();
    EXPECT_FALSE(page.Loaded()) << "loaded again by the deletion";
    EXPECT_FALSE(frmprogress->Loaded());
    EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
    EXPECT_TRUE(IsWindowEnabled(frmmain->hWnd()));
  }
  CloseMainWindow();
  EmptyFolder(kJunkDrive, {L"linked"});
  std::ofstream(report) << "ran\n";
}

// Runs code of the test's while the program's own question (Delete Selected Files' "Are you
// sure") is up, then answers it.
class QuestionWatch : public FakeDialogs {
 public:
  std::function<void()> whileUp;
  int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT style) override {
    if (whileUp) std::exchange(whileUp, {})();
    return FakeDialogs::MessageBox(owner, text, title, style);
  }
};

// A new search while the deletion waits for the user: a search posted to the page (which the
// program holds disabled) runs nothing; a search that runs all the same, even one that finds
// as many rows as before, ends the deletion before any of its rows is touched, and its rows
// stay.
TEST(DiskCleanerWithoutRecycleBin, SearchChildRun) {
  const char* report = std::getenv(kNoTrashReport);
  if (!report) GTEST_SKIP() << "runs only as the child of ASearchPostedDuringTheShellsQuestionRunsNothingAndOneThatRunsEndsTheDeletion";
  FakeSound sound;
  platform::Override<platform::Sound> useSound(sound);
  QuestionWatch dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  TwoJunkFiles junk(dialogs);
  FrmDiskCleaner& page = junk.page;
  auto expectNewRowsStayTicked = [&] {
    EXPECT_EQ(page.ListView2->ItemCount(), 2) << "the new search's rows went";
    for (int i = 1; i <= page.ListView2->ItemCount(); ++i) EXPECT_TRUE(page.ListView2->Item(i).Checked());
  };

  {
    SCOPED_TRACE("Begin Search posted to the page while the shell asks");
    junk.SearchAndTickAll();
    // A third file: a search that ran would list three rows.
    MakeFile(J(L"third.tmp"));
    ShellDialogs shell(IDNO, [&](HWND) { PostMessageA(page.Command22->hWnd(), BM_CLICK, 0, 0); });
    junk.PressDelete();
    // The deletion went on as without the press: the shell asked about both rows, and the
    // list was emptied at the end.
    EXPECT_EQ(shell.Seen().size(), 2u);
    EXPECT_EQ(page.ListView2->ItemCount(), 0);
    junk.ExpectFilesKept();
    DeleteFileW(J(L"third.tmp").c_str());
  }
  {
    SCOPED_TRACE("a search with as many rows that runs while the shell asks");
    junk.SearchAndTickAll();
    ShellDialogs shell(IDNO, [&](HWND) {
      // The same files, ticked anew: none of them was agreed to by the press that asked.
      page.Command22_Click();
      page.Command23_Click();
    });
    junk.PressDelete();
    EXPECT_EQ(shell.Seen().size(), 1u) << "the deletion went on over the new search's rows";
    junk.ExpectFilesKept();
    expectNewRowsStayTicked();
    EXPECT_FALSE(frmprogress->Loaded());
  }
  {
    SCOPED_TRACE("a search with as many rows that runs while the program asks");
    junk.SearchAndTickAll();
    ShellDialogs shell(IDNO);
    dialogs.whileUp = [&] {
      page.Command22_Click();
      page.Command23_Click();
    };
    junk.PressDelete();
    EXPECT_TRUE(shell.Seen().empty()) << "the deletion ran over the new search's rows";
    junk.ExpectFilesKept();
    expectNewRowsStayTicked();
    EXPECT_FALSE(frmprogress->Loaded());
  }
  EXPECT_TRUE(IsWindowEnabled(page.hWnd()));
  CloseMainWindow();
  EmptyFolder(kJunkDrive, {L"linked"});
  std::ofstream(report) << "ran\n";
}

// The main window closed (End Task's WM_CLOSE) while the shell asks about a file of the
// page's deletion: nothing closes and no exit question comes until the shell's question is
// answered; then the main window closes with its exit question and the program ends.
TEST(DiskCleanerWithoutRecycleBin, MainWindowChildRun) {
  const char* report = std::getenv(kNoTrashReport);
  if (!report) GTEST_SKIP() << "runs only as the child of AMainWindowClosedWhileTheShellAsksWaitsForTheAnswer";
  EmptyFolder(kJunkDrive, {L"linked"});
  MakeFile(J(L"first.tmp"));
  FakeSound sound;
  platform::Override<platform::Sound> useSound(sound);
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs(dialogs);
  FrmDiskCleaner& page = *frmDiskCleaner;
  frmmain->Show();
  OpenPage(page);
  ASSERT_TRUE(page.Drive1->SetDrive("j"));
  page.Command22_Click();
  ASSERT_EQ(page.ListView2->ItemCount(), 1);
  page.Command23_Click();
  const HWND main = frmmain->hWnd();
  bool heldWhileAsked = false;
  ShellDialogs shell(IDNO, [&](HWND) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    ui::DoEvents();
    heldWhileAsked = frmmain->Loaded() && page.Loaded() && dialogs.MessageBoxes().size() == 1;
  });
  dialogs.AnswerMessageBox(IDYES);  // Delete Selected Files?
  dialogs.AnswerMessageBox(IDOK);   // the exit message
  SendMessageA(page.Command25->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();

  EXPECT_EQ(shell.Seen().size(), 1u);
  EXPECT_TRUE(heldWhileAsked) << "closed while the shell asked";
  const auto boxes = dialogs.MessageBoxes();
  EXPECT_EQ(boxes.size(), 2u);
  if (boxes.size() == 2) EXPECT_EQ(boxes[1].text, LoadResString(1136));
  EXPECT_FALSE(frmmain->Loaded());
  EXPECT_EQ(ui::LoadedFormCount(), 0) << "the program ends";
  EXPECT_TRUE(Exists(J(L"first.tmp")));
  CloseMainWindow();
  EmptyFolder(kJunkDrive, {L"linked"});
  std::ofstream(report) << "ran\n";
}

// Runs the named test of DiskCleanerWithoutRecycleBin in a child process whose recycle bin
// cannot be made: the shell's trash lies below a regular file. Wine sets its trash up once
// per process.
void RunWithoutRecycleBin(const char* childTest) {
  ASSERT_TRUE(RunningUnderWine());
  ScratchFolder scratch;
  MakeFile(scratch.Sub(L"regular-file"));
  const std::string below = UnixPathOf(scratch.Sub(L"regular-file")) + "/data";
  const std::string report = Narrow(scratch.Sub(L"report.txt"));
  ScopedEnvironmentVariable xdg("XDG_DATA_HOME", below.c_str());
  ScopedEnvironmentVariable marker(kNoTrashReport, report.c_str());

  std::string command = "\"" + TestProgramPath() + "\" --gtest_filter=DiskCleanerWithoutRecycleBin." + childTest;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child))
      << GetLastError();
  ASSERT_EQ(WaitForSingleObject(child.hProcess, 600000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(child.hProcess, &code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  EXPECT_EQ(code, 0u) << "the child's checks failed (its output is above)";
  std::string ran;
  std::ifstream(report) >> ran;
  EXPECT_EQ(ran, "ran") << "the child did not run its checks";
}

TEST(DiskCleanerRecycling, WithoutARecycleBinNothingIsDeletedUnasked) { RunWithoutRecycleBin("ChildRun"); }

TEST(DiskCleanerRecycling, WhileTheShellAsksThePageCanNeitherCrashNorLoseFiles) { RunWithoutRecycleBin("PageChildRun"); }

TEST(DiskCleanerRecycling, ASearchPostedDuringTheShellsQuestionRunsNothingAndOneThatRunsEndsTheDeletion) {
  RunWithoutRecycleBin("SearchChildRun");
}

TEST(DiskCleanerRecycling, AMainWindowClosedWhileTheShellAsksWaitsForTheAnswer) {
  RunWithoutRecycleBin("MainWindowChildRun");
}

}  // namespace
