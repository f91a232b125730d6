#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::ComboBox, .name = "Combo1", .rect = {120, 120, 3000, 315}, .style = ui::kDropDownList},
    {.kind = Kind::ListBox, .name = "List1", .rect = {120, 600, 3000, 1500}, .style = ui::kSorted},
    {.kind = Kind::Line, .name = "Line1", .rect = {120, 2400, 3120, 2400}},
};
constexpr ui::FormDef kForm{.name = "frmLists", .caption = "Lists", .width = 4000, .height = 3600};

class FrmLists : public ui::Form {
 public:
  FrmLists() : Form(kForm, kDesign) {}
  ui::Ctl<ui::ComboBox> Combo1{this, "Combo1"};
  ui::Ctl<ui::ListBox> List1{this, "List1"};
  ui::Ctl<ui::Line> Line1{this, "Line1"};
  std::vector<std::string> clicks;

 protected:
  void BindEvents() override {
    Combo1->Click = [this] { clicks.push_back("Combo1:" + Combo1->Text()); };
    List1->Click = [this] { clicks.push_back("List1:" + List1->Text()); };
  }
};

class ListsTest : public testing::Test {
 protected:
  void TearDown() override { form.Unload(); }
  FrmLists form;
};

TEST_F(ListsTest, ComboBoxSelectionFromCodeAndFromTheUser) {
  for (const char* item : {"Tweaks", "Maintenance", "Security"}) form.Combo1->AddItem(item);
  form.Combo1->SetListIndex(1);
  EXPECT_EQ(form.Combo1->Text(), "Maintenance");
  SendMessageA(form.Combo1->hWnd(), CB_SETCURSEL, 2, 0);  // the user picks the third
  SendMessageA(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.Combo1->hWnd()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.Combo1->hWnd()));
  EXPECT_EQ(form.Combo1->ListIndex(), 2);
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"Combo1:Maintenance", "Combo1:Security"}));
  EXPECT_EQ(SendMessageA(form.Combo1->hWnd(), CB_GETCOUNT, 0, 0), 3);
}

TEST_F(ListsTest, SortedListKeepsItsSelectionWhenItemsComeAndGo) {
  form.List1->AddItem("b");
  form.List1->AddItem("d");
  form.List1->SetListIndex(1);  // "d"
  form.List1->AddItem("a");     // goes first: the selection moves with "d"
  EXPECT_EQ(form.List1->ListIndex(), 2);
  EXPECT_EQ(form.List1->List(0), "a");
  form.List1->RemoveItem(0);
  EXPECT_EQ(form.List1->ListIndex(), 1);
  EXPECT_EQ(form.List1->Text(), "d");
  form.List1->RemoveItem(1);
  EXPECT_EQ(form.List1->ListIndex(), -1);
  EXPECT_EQ(SendMessageA(form.List1->hWnd(), LB_GETCOUNT, 0, 0), 1);
  form.List1->Clear();
  EXPECT_EQ(form.List1->ListCount(), 0);
}

TEST_F(ListsTest, ListsStartEmptyAgainAfterUnload) {
  form.List1->AddItem("kept?");
  form.Unload();
  EXPECT_EQ(form.List1->ListCount(), 0);
}

TEST_F(ListsTest, ALineSpansItsPointsAndFollowsThem) {
  EXPECT_FLOAT_EQ(form.Line1->X2(), 3120);
  RECT r{};
  GetWindowRect(form.Line1->hWnd(), &r);
  EXPECT_EQ(r.right - r.left, 200);  // 3000 twips
  form.Line1->SetPoints(0, 0, 1500, 1500);
  GetWindowRect(form.Line1->hWnd(), &r);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 100);
}

}  // namespace
