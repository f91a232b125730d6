#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/seam.h"
#include "resources/picture_ids.h"
#include "support/fake_clock.h"
#include "support/programming_errors.h"
#include "ui/TreeView.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Custom, .name = "Tree1", .rect = {120, 120, 5000, 4200}, .customClass = ui::kTreeViewClass},
};
constexpr ui::FormDef kForm{.name = "frmTree", .caption = "Tree", .width = 5600, .height = 5000};

class FrmTree : public ui::Form {
 public:
  FrmTree() : Form(kForm, kDesign) {}
  ui::Ctl<ui::TreeView> Tree1{this, "Tree1"};
  ui::ImageList pictures{{IDB_TREE_FOLDER, IDB_TREE_FOLDER_OPEN, IDB_TREE_EMPTY}};
  std::vector<std::string> clicked;
  // What a click does besides being recorded.
  std::function<void(ui::TreeNode&)> onClick;

 protected:
  void Form_Load() override { Tree1->SetImageList(&pictures); }
  void BindEvents() override {
    Tree1->NodeClick = [this](ui::TreeNode& node) {
      clicked.push_back(node.Key());
      if (onClick) onClick(node);
    };
  }
};

// Paints that reach a window, counted.
class PaintCounter {
 public:
  explicit PaintCounter(HWND hwnd) : hwnd_(hwnd) { SetWindowSubclass(hwnd_, Proc, 7, reinterpret_cast<DWORD_PTR>(this)); }
  ~PaintCounter() { RemoveWindowSubclass(hwnd_, Proc, 7); }
  int paints = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
    if (message == WM_PAINT) ++reinterpret_cast<PaintCounter*>(self)->paints;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  HWND hwnd_;
};

class TreeViewTest : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    ui::DoEvents();
  }
  void TearDown() override {
    form.Unload();
    ui::DoEvents();
  }
  HWND Tree() { return form.Tree1->hWnd(); }
  // The window's item under a parent item, by position, and its text and pictures.
  HTREEITEM Child(HTREEITEM parent, int position) {
    HTREEITEM item = parent ? TreeView_GetChild(Tree(), parent) : TreeView_GetRoot(Tree());
    for (int i = 0; i < position && item; ++i) item = TreeView_GetNextSibling(Tree(), item);
    return item;
  }
  struct Shown {
    std::string text;
    int image = -9, selectedImage = -9;
    bool expanded = false;
  };
  Shown Show(HTREEITEM item) {
    char text[260]{};
    TVITEMA data{};
    data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    data.stateMask = TVIS_EXPANDED;
    if (!SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return {};
    return {text, data.iImage, data.iSelectedImage, (data.state & TVIS_EXPANDED) != 0};
  }
  // A user's left click on the item's text (client pixels), handled as the loop does.
  void ClickOn(HTREEITEM item) {
    RECT r{};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), item, &r, TRUE));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(Tree(), WM_LBUTTONUP, 0, at);
    ui::DoEvents();
  }
  void AddDrive() {
    ASSERT_TRUE(form.Tree1->Add("", "main", "Contents of drive c:\\", 1));
    form.Tree1->Node("main").SetExpanded(true);
    for (const char* name : {"Program Files", "Users", "windows"})
      ASSERT_TRUE(form.Tree1->Add("main", name, std::string(name) + " (1.00 MB)", 1, 2));
    ASSERT_TRUE(form.Tree1->Add("Users", "Users\\Public", "Public (0.00 MB)", 1, 2));
  }

  FrmTree form;
};

TEST_F(TreeViewTest, NodesGoUnderTheirParentsByKeyAndATakenKeyIsRefused) {
  AddDrive();
  EXPECT_EQ(form.Tree1->NodeCount(), 5);
  EXPECT_EQ(TreeView_GetCount(Tree()), 5u);
  EXPECT_EQ(form.Tree1->Node(1).Key(), "main");  // numbered in the order of adding
  EXPECT_EQ(form.Tree1->Node(5).Key(), "Users\\Public");
  {
    ExpectedProgrammingErrors expected;
    ui::TreeNode none = form.Tree1->Node(6);
    EXPECT_FALSE(none);
    none.SetExpanded(true);
    EXPECT_EQ(none.Key(), "");
    EXPECT_EQ(none.Text(), "");
    EXPECT_TRUE(none.ChildKeys().empty());
    EXPECT_FALSE(none.Expanded());
    EXPECT_EQ(expected.Seen(), std::vector<std::string>{"tree node index 6 of 5"});
  }
  EXPECT_EQ(form.Tree1->Node("main").ChildKeys(),
            (std::vector<std::string>{"Program Files", "Users", "windows"}));
  EXPECT_EQ(form.Tree1->Node("Users\\Public").ParentKey(), "Users");

  struct Refused {
    const char* name;
    const char* relative;
    const char* key;
  };
  const Refused refused[] = {
      {"the root's key", "main", "main"},
      {"a sibling's key", "main", "Users"},
      {"a key elsewhere in the tree", "windows", "Users\\Public"},
      {"a parent not in the tree", "Temp", "Temp\\x"},
  };
  for (const Refused& r : refused) {
    SCOPED_TRACE(r.name);
    EXPECT_FALSE(form.Tree1->Add(r.relative, r.key, "again", 3));
  }
  EXPECT_EQ(form.Tree1->NodeCount(), 5);
  EXPECT_EQ(TreeView_GetCount(Tree()), 5u);

  // The window shows the same tree, pictures numbered from 1 in the node and from 0 in the
  // window; a node without a selected picture keeps its picture when selected.
  HTREEITEM root = Child(nullptr, 0);
  EXPECT_EQ(Show(root).text, "Contents of drive c:\\");
  EXPECT_EQ(Show(root).image, 0);
  EXPECT_EQ(Show(root).selectedImage, 0);
  EXPECT_TRUE(Show(root).expanded) << "opened before it had children";
  EXPECT_EQ(Show(Child(root, 1)).text, "Users (1.00 MB)");
  EXPECT_EQ(Show(Child(root, 1)).selectedImage, 1);
  EXPECT_EQ(Show(Child(Child(root, 1), 0)).text, "Public (0.00 MB)");
  EXPECT_FALSE(Show(Child(root, 1)).expanded) << "a child does not open its parent";
  EXPECT_EQ(TreeView_GetImageList(Tree(), TVSIL_NORMAL), form.pictures.Handle());
  EXPECT_EQ(ImageList_GetImageCount(form.pictures.Handle()), 3);

  form.Tree1->Clear();
  EXPECT_EQ(form.Tree1->NodeCount(), 0);
  EXPECT_EQ(TreeView_GetCount(Tree()), 0u);
  EXPECT_FALSE(form.Tree1->Node("main"));
  EXPECT_TRUE(form.Tree1->Add("", "main", "again", 1)) << "keys are free again";

  form.Unload();  // the next load starts empty
  EXPECT_EQ(form.Tree1->NodeCount(), 0);
}

TEST_F(TreeViewTest, AClickOnANodeReportsItsKeyAfterTheTreeHandledIt) {
  AddDrive();
  HTREEITEM root = Child(nullptr, 0);
  ClickOn(Child(root, 2));
  EXPECT_EQ(form.clicked, std::vector<std::string>{"windows"});
  EXPECT_EQ(TreeView_GetSelection(Tree()), Child(root, 2)) << "selected before the handler runs";

  // The keyboard moves to a node as a click does.
  SetFocus(Tree());
  SendMessageA(Tree(), WM_KEYDOWN, VK_UP, 0);
  ui::DoEvents();
  EXPECT_EQ(form.clicked, (std::vector<std::string>{"windows", "Users"}));

  // A click beside every node reports nothing.
  RECT client{};
  GetClientRect(Tree(), &client);
  PostMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 4, client.bottom - 4));
  PostMessageA(Tree(), WM_LBUTTONUP, 0, MAKELPARAM(client.right - 4, client.bottom - 4));
  ui::DoEvents();
  EXPECT_EQ(form.clicked.size(), 2u);

  // The handler may build the tree anew and wait in the message loop meanwhile.
  form.onClick = [this](ui::TreeNode& node) {
    const std::string key = node.Key();
    form.Tree1->Clear();
    ui::DoEvents();
    form.Tree1->Add("", "main", "rebuilt after " + key, 1);
  };
  ClickOn(Child(Child(nullptr, 0), 0));
  EXPECT_EQ(form.clicked.back(), "Program Files");
  ASSERT_EQ(form.Tree1->NodeCount(), 1);
  EXPECT_EQ(Show(Child(nullptr, 0)).text, "rebuilt after Program Files");

  form.clicked.clear();
  form.onClick = nullptr;
  form.Tree1->PerformNodeClick("main");
  form.Tree1->PerformNodeClick("no such node");
  EXPECT_EQ(form.clicked, std::vector<std::string>{"main"});
}

TEST_F(TreeViewTest, FillsRepaintPacedAndAHoldOutlivingThePageLeavesItUnloaded) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  form.Tree1->Add("", "main", "root", 1);
  PaintCounter counter(Tree());
  ui::DoEvents();
  counter.paints = 0;
  {
    ui::TreeView::RedrawOff quiet(*form.Tree1);
    for (int i = 0; i < 100; ++i) {
      form.Tree1->Add("main", "d" + std::to_string(i), "folder " + std::to_string(i), 1, 2);
      form.Tree1->RefreshThrottled();
      ui::DoEvents();  // a fill that yields between nodes
    }
    EXPECT_EQ(counter.paints, 1) << "only the first paced refresh, with the clock standing";
    clock.Advance(49);
    form.Tree1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 1);
    clock.Advance(1);
    form.Tree1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 2);
    EXPECT_TRUE(IsWindowVisible(Tree()));
  }
  EXPECT_EQ(counter.paints, 3);  // one repaint when the hold ends
  EXPECT_EQ(TreeView_GetCount(Tree()), 101u);

  // A fill that is still holding when its page goes ends without loading the page again.
  {
    ui::TreeView::RedrawOff quiet(*form.Tree1);
    form.Unload();
  }
  EXPECT_FALSE(form.Loaded());
}

}  // namespace
