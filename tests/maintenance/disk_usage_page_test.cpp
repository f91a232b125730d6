// The folder-size page on drive U:, which prepare.sh maps to an empty folder of the prefix:
// the tree it builds, its sizes, folders it cannot list, and the buttons and clicks that a
// listing lets through while it waits in the message loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "maintenance/FolderSizes.h"
#include "maintenance/frmDiskUsage.h"
#include "maintenance_fixtures.h"
#include "platform/seam.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/main_window.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;
constexpr uint64_t kGB = 1024 * kMB;

std::wstring U(const std::wstring& relative) { return kUsageDrive + relative; }

// The page names the drive as its list shows it ("u:"): folders compare without regard to case.
bool Same(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }
bool IsTopLevel(const std::wstring& folder) {
  return Same(folder.substr(0, 3), kUsageDrive) && folder.size() > 3 &&
         folder.find(L'\\', 3) == folder.size() - 1;
}

class DiskUsagePageTest : public testing::Test {
 protected:
  void SetUp() override {
    EmptyFolder(kUsageDrive);
    ASSERT_FALSE(frmDiskUsage->Loaded());
  }
  void TearDown() override {
    CloseMainWindow();
    EmptyFolder(kUsageDrive);
  }
  FrmDiskUsage& Page() { return *frmDiskUsage; }
  // The page opened from the main window, on drive U:.
  void Open() {
    frmmain->Show();
    OpenPage(Page());
    ASSERT_TRUE(Page().drvChoose->SetDrive("u"));
  }
  // key -> text of every node but the root.
  std::map<std::string, std::string> Nodes() {
    std::map<std::string, std::string> nodes;
    for (int i = 2; i <= Page().trvDriveView->NodeCount(); ++i) {
      ui::TreeNode node = Page().trvDriveView->Node(i);
      EXPECT_TRUE(nodes.emplace(node.Key(), node.Text()).second) << "twice: " << node.Key();
    }
    return nodes;
  }
  void Click(const std::string& key) {
    ui::TreeNode node = Page().trvDriveView->Node(key);
    ASSERT_TRUE(node) << key;
    Page().trvDriveView_NodeClick(node);
  }
  // A user's click on a button or on a node, handled when the program next reads its queue.
  void PostClick(ui::CommandButton& button) { PostMessageA(button.hWnd(), BM_CLICK, 0, 0); }
  void PostClick(const std::string& key) {
    HWND tree = Page().trvDriveView->hWnd();
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextVisible(tree, item)) {
      char text[260]{};
      TVITEMA data{};
      data.mask = TVIF_TEXT;
      data.hItem = item;
      data.pszText = text;
      data.cchTextMax = sizeof text;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
      if (Page().trvDriveView->Node(key).Text() != text) continue;
      RECT r{};
      TreeView_GetItemRect(tree, item, &r, TRUE);
      const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageA(tree, WM_LBUTTONUP, 0, at);
      return;
    }
    ADD_FAILURE() << "no node shows " << key;
  }
  // Four top-level folders of known sizes.
  void MakeDrive() {
    MakeSizedFile(U(L"Program Files\\app\\app.exe"), 3 * kMB);
    MakeSizedFile(U(L"Program Files\\.hidden"), kMB);  // left out of the top-level sum
    MakeSizedFile(U(L"Users\\Public\\doc.txt"), 2 * kMB);
    MakeSizedFile(U(L"Users\\Public\\.dot\\x.bin"), kMB / 2);
    MakeSizedFile(U(L"windows\\win.ini"), kMB / 4);
    MakeFolder(U(L"Empty"));
  }
  std::string Text(const char* name, const std::string& size) { return std::string(name) + " (" + size; }

  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeDialogs dialogs;  // the page shows no message
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  GuardedListing listing;
};

TEST_F(DiskUsagePageTest, ProcessDriveListsTheTopLevelFoldersWithTheirSums) {
  MakeDrive();
  MakeSizedFile(U(L"main\\never.bin"), kMB);  // its key would be the root's
  MakeSizedFile(U(L"file at the root.bin"), kMB);
  Open();
  Page().cmdProcess_Click();

  ui::TreeNode root = Page().trvDriveView->Node(1);
  EXPECT_EQ(root.Key(), "main");
  EXPECT_EQ(root.Text(), LoadResString(71) + Page().drvChoose->Drive() + "\\");
  EXPECT_EQ(root.Text().substr(0, 19), "Contents of driveu:");
  EXPECT_TRUE(root.Expanded());
  EXPECT_EQ(root.Image(), 1);
  EXPECT_EQ(root.SelectedImage(), 0);
  EXPECT_EQ(Nodes(), (std::map<std::string, std::string>{
                         {"Empty", "Empty (0.00 MB)"},
                         {"Program Files", "Program Files (3.00 MB)"},
                         {"Users", "Users (2.00 MB)"},
                         {"windows", "windows (0.25 MB)"},
                     }));
  ui::TreeNode users = Page().trvDriveView->Node("Users");
  EXPECT_EQ(users.ParentKey(), "main");
  EXPECT_EQ(users.Image(), 1);
  EXPECT_EQ(users.SelectedImage(), 2);

  // Clicking the root sums the top level anew and adds only what is new.
  MakeSizedFile(U(L"Users\\more.bin"), kMB);
  MakeFolder(U(L"New"));
  Click("main");
  EXPECT_EQ(Nodes().size(), 5u);
  EXPECT_EQ(Nodes()["New"], "New (0.00 MB)");
  EXPECT_EQ(Nodes()["Users"], "Users (2.00 MB)") << "a node keeps its text";

  // "Process Drive" builds the tree from scratch.
  Page().cmdProcess_Click();
  EXPECT_EQ(Nodes()["Users"], "Users (3.00 MB)");
}

TEST_F(DiskUsagePageTest, AClickListsTheFoldersSubFoldersWithTheirFullSizesOnce) {
  MakeDrive();
  MakeSizedFile(U(L"Users\\Default\\ntuser.dat"), kGB);
  MakeSizedFile(U(L"Users\\Big\\one.bin"), kGB);
  MakeSizedFile(U(L"Users\\Big\\two.bin"), 1);
  Open();
  Page().cmdProcess_Click();
  Click("Users");
  const auto nodes = Nodes();
  EXPECT_EQ(nodes.at("Users\\Public"), "Public (2.50 MB)") << "every file counts below the top";
  EXPECT_EQ(nodes.at("Users\\Default"), "Default (1024.00 MB)");
  EXPECT_EQ(nodes.at("Users\\Big"), "Big (1.00 GB)");
  EXPECT_EQ(Page().trvDriveView->Node("Users\\Public").ParentKey(), "Users");
  EXPECT_FALSE(Page().trvDriveView->Node("Users").Expanded()) << "a click changes no expansion";

  Click("Users");  // again: nothing new
  EXPECT_EQ(Nodes(), nodes);

  // A folder without sub-folders gets the empty-listing node, once; clicking it does nothing.
  Click("Users\\Default");
  Click("Users\\Default");
  ui::TreeNode none = Page().trvDriveView->Node("Users\\Default\\|NONE|HERE");
  ASSERT_TRUE(none);
  EXPECT_EQ(none.Text(), LoadResString(328));
  EXPECT_EQ(none.Image(), 3);
  EXPECT_EQ(none.SelectedImage(), 0);
  const size_t count = Nodes().size();
  Click("Users\\Default\\|NONE|HERE");
  EXPECT_EQ(Nodes().size(), count);

  Click("Users\\Public");  // a folder whose name begins with "." is a sub-folder too
  EXPECT_EQ(Nodes()["Users\\Public\\.dot"], ".dot (0.50 MB)");
}

TEST_F(DiskUsagePageTest, TheWindowsFolderShowsTheNativeSystem32) {
  if (!RedirectedSystem32()) GTEST_SKIP() << "System32 is not redirected here";
  const std::wstring marker = kNativeSystem32 + L"\\quenvor-native-only.bin";
  MakeSizedFile(marker, 64 * kMB);
  frmmain->Show();
  OpenPage(Page());
  ASSERT_TRUE(Page().drvChoose->SetDrive("c"));
  // The Windows folder's node as "Process Drive" adds it (without summing the whole drive).
  Page().trvDriveView->Add("", "main", LoadResString(71) + "c:\\", 1);
  Page().trvDriveView->Add("main", "windows", "windows", 1, 2);
  Click("windows");
  const auto nodes = Nodes();
  const uint64_t native = FilesBelow(kNativeSystem32);
  const uint64_t wow64 = FilesBelow(L"C:\\windows\\syswow64");
  RemoveTree(marker);
  EXPECT_EQ(nodes.at("windows\\system32"), "system32 (" + SizeText(native));
  EXPECT_EQ(nodes.at("windows\\syswow64"), "syswow64 (" + SizeText(wow64));
  EXPECT_EQ(nodes.count("windows\\Sysnative"), 0u);
}

TEST_F(DiskUsagePageTest, FoldersThatCannotBeListedShowWhatCouldBeRead) {
  MakeDrive();
  MakeSizedFile(U(L"Users\\Public\\Locked\\secret.bin"), kMB);
  listing.MakeUnreadable(U(L"Users\\Public\\Locked"));
  listing.MakeUnreadable(U(L"windows"));
  Open();
  Page().cmdProcess_Click();
  EXPECT_EQ(Nodes()["Users"], "Users (2.00 MB)") << "the readable part";
  EXPECT_EQ(Nodes()["windows"], "windows (0.00 MB)");

  Click("Users");
  EXPECT_EQ(Nodes()["Users\\Public"], "Public (2.50 MB or more)");
  const size_t count = Nodes().size();
  Click("windows");  // no node at all, not even the empty listing
  Page().ShowFolderList("u:\\", "Users\\Public\\Locked");
  EXPECT_EQ(Nodes().size(), count);

  // A drive without folders shows the empty listing under the root.
  EmptyFolder(kUsageDrive);
  Page().cmdProcess_Click();
  EXPECT_EQ(Nodes(), (std::map<std::string, std::string>{{"|NONE|HERE", LoadResString(328)}}));
}

TEST_F(DiskUsagePageTest, StopEndsTheListingAtTheNextFolderUntilProcessDriveAgain) {
  MakeDrive();
  Open();
  int summed = 0;
  listing.onList = [&](const std::wstring& folder) {
    // Pressed while the second top-level folder is summed.
    if (IsTopLevel(folder) && ++summed == 2)
      PostClick(*Page().Command2);
  };
  Page().cmdProcess_Click();
  EXPECT_TRUE(Page().StopProcessing);
  EXPECT_EQ(Nodes().size(), 2u) << "the folders listed so far, and no empty listing";

  // Still stopped: a folder with sub-folders adds nothing, one without gets its empty listing.
  listing.onList = nullptr;
  const std::map<std::string, bool> hasSubFolders = {
      {"Program Files", true}, {"Users", true}, {"windows", false}, {"Empty", false}};
  for (int i : {2, 3}) {
    const std::string key = Page().trvDriveView->Node(i).Key();
    SCOPED_TRACE(key);
    Click(key);
    const std::vector<std::string> children = Page().trvDriveView->Node(key).ChildKeys();
    if (hasSubFolders.at(key)) EXPECT_TRUE(children.empty());
    else EXPECT_EQ(children, std::vector<std::string>{key + "\\|NONE|HERE"});
  }

  Page().cmdProcess_Click();
  EXPECT_FALSE(Page().StopProcessing);
  EXPECT_EQ(Nodes().size(), 4u);
  Click("Users");
  EXPECT_EQ(Page().trvDriveView->Node("Users").ChildKeys(), std::vector<std::string>{"Users\\Public"});
}

TEST_F(DiskUsagePageTest, ClosingDuringProcessDriveEndsTheListingWithoutLoadingThePageAgain) {
  MakeDrive();
  Open();
  // Closed while the first top-level folder is summed: no other is summed after it.
  int summedAfterClose = -1;
  listing.onList = [&](const std::wstring& folder) {
    if (!IsTopLevel(folder)) return;
    if (summedAfterClose < 0) PostClick(*Page().Command1);
    ++summedAfterClose;
  };
  Page().cmdProcess_Click();
  EXPECT_FALSE(Page().Loaded());
  EXPECT_FALSE(Page().StopProcessing);
  EXPECT_TRUE(IsWindowVisible(frmmain->hWnd()));
  EXPECT_EQ(ui::LoadedForms(), std::vector<ui::Form*>{&*frmmain});
  EXPECT_EQ(summedAfterClose, 0) << "the listing ended at its next wait";
}

TEST_F(DiskUsagePageTest, ProcessDriveOrANodeClickDuringAListingRunsInsideIt) {
  MakeDrive();
  Open();
  int topLevel = 0;
  // "Process Drive" again while the second folder is summed: the inner listing builds the
  // whole tree, and the outer one goes on adding to it, nothing twice.
  listing.onList = [&](const std::wstring& folder) {
    if (IsTopLevel(folder) && ++topLevel == 2) PostClick(*Page().cmdProcess);
  };
  Page().cmdProcess_Click();
  EXPECT_EQ(Nodes().size(), 4u);
  EXPECT_EQ(topLevel, 2 + 4 + 2) << "the outer listing goes on after the inner one";

  // A click on the first folder's node while the third is summed lists its sub-folders.
  topLevel = 0;
  std::string first;
  listing.onList = [&](const std::wstring& folder) {
    if (!IsTopLevel(folder) || ++topLevel != 3) return;
    first = Page().trvDriveView->Node(2).Key();
    PostClick(first);
  };
  Page().cmdProcess_Click();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(Nodes().size(), 4u + Page().trvDriveView->Node(first).ChildKeys().size());
  EXPECT_FALSE(Page().trvDriveView->Node(first).ChildKeys().empty());
}

}  // namespace
