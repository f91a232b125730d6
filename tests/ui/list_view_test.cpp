#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "platform/seam.h"
#include "support/fake_clock.h"
#include "support/programming_errors.h"
#include "support/real_input.h"
#include "ui/ListView.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr int kStartupSettings = ui::kListReport | ui::kListCheckBoxes | ui::kListGridLines |
                                 ui::kListMultiSelect;

constexpr Def kDesign[] = {
    {.kind = Kind::Custom, .name = "List1", .rect = {120, 120, 7200, 3000}, .fontSize = 8.25f,
     .value = kStartupSettings, .fontName = "MS Sans Serif", .customClass = ui::kListViewClass},
    // No column-click handler: its headers are no buttons.
    {.kind = Kind::Custom, .name = "List2", .rect = {120, 3240, 7200, 1200},
     .value = ui::kListReport | ui::kListGridLines | ui::kListMultiSelect,
     .customClass = ui::kListViewClass},
    // The items alone, as the cleaner shows its files.
    {.kind = Kind::Custom, .name = "List3", .rect = {120, 4560, 7200, 1200},
     .value = ui::kListCheckBoxes | ui::kListLabelTips | ui::kListMultiSelect,
     .customClass = ui::kListViewClass},
};
constexpr ui::FormDef kForm{.name = "frmListView", .caption = "List view", .width = 7800, .height = 6600};

class FrmListView : public ui::Form {
 public:
  FrmListView() : Form(kForm, kDesign) {}
  ui::Ctl<ui::ListView> List1{this, "List1"};
  ui::Ctl<ui::ListView> List2{this, "List2"};
  ui::Ctl<ui::ListView> List3{this, "List3"};
  std::vector<std::string> clickedKeys;

 protected:
  void BindEvents() override {
    List1->ColumnClick = [this](ui::ListViewColumn& column) {
      clickedKeys.push_back(column.Key());
      ui::SortListByColumn(*List1, column);
    };
  }
};

// Paints that reach a window, counted.
class PaintCounter {
 public:
  explicit PaintCounter(HWND hwnd) : hwnd_(hwnd) { SetWindowSubclass(hwnd_, Proc, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~PaintCounter() { RemoveWindowSubclass(hwnd_, Proc, 1); }
  int paints = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR self) {
    if (message == WM_PAINT) ++reinterpret_cast<PaintCounter*>(self)->paints;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  HWND hwnd_;
};

class ListViewTest : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    form.List1->SetVisible(false);
    form.List1->AddColumn("NAME", "Name").SetWidth(2400);
    ui::ListViewColumn& path = form.List1->AddColumn("PATH", "Path");
    path.SetWidth(4500);
    path.SetTag("Value");
    form.List1->SetVisible(true);
    ui::DoEvents();
  }
  void TearDown() override {
    form.Unload();
    ui::DoEvents();
  }
  HWND List() { return form.List1->hWnd(); }
  void Add(const std::string& name, const std::string& path) {
    form.List1->AddItem(name).SetSubItem(1, path);
  }
  // What the window shows in a cell (0-based row and column).
  std::string Cell(int row, int column) {
    char buffer[512]{};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 1; i <= form.List1->ItemCount(); ++i) {
      names.push_back(form.List1->Item(i).Text());
      EXPECT_EQ(Cell(i - 1, 0), names.back()) << "row " << i << " of the window";
    }
    return names;
  }
  bool WindowTick(int row) {
    return (SendMessageA(List(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  // A user's left click at a point of a window (client pixels).
  void ClickAt(HWND hwnd, POINT p) {
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    ui::DoEvents();
  }
  void ClickBox(int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(List(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    for (int x = bounds.left; x < bounds.left + 40; ++x) {
      LVHITTESTINFO hit{};
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      SendMessageA(List(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
        ClickAt(List(), hit.pt);
        return;
      }
    }
    ADD_FAILURE() << "no check box found on row " << row;
  }
  void ClickHeader(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&r));
    ClickAt(header, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }

  // Screen points of a row's check box and of its text, in the given list.
  static POINT BoxPoint(HWND list, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    for (int x = bounds.left; x < bounds.left + 40; ++x) {
      LVHITTESTINFO hit{};
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
        ClientToScreen(list, &hit.pt);
        return hit.pt;
      }
    }
    ADD_FAILURE() << "no check box found on row " << row;
    return {-1, -1};
  }
  static POINT TextPoint(HWND list, int row) {
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    POINT p{label.left + 8, (label.top + label.bottom) / 2};
    ClientToScreen(list, &p);
    return p;
  }
  static int Selected(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  static int Focused(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  }

  FrmListView form;
};

TEST_F(ListViewTest, ColumnsAndRowsAsAddedAndRemoved) {
  EXPECT_EQ(form.List1->ItemCount(), 0);
  form.List1->Clear();  // an empty list clears without fault
  EXPECT_EQ(form.List1->ItemCount(), 0);

  ASSERT_EQ(form.List1->ColumnCount(), 2);
  ui::ListViewColumn& path = form.List1->Column(2);
  EXPECT_EQ(path.Index(), 2);
  EXPECT_EQ(path.Key(), "PATH");
  EXPECT_EQ(path.Text(), "Path");
  EXPECT_EQ(path.Tag(), "Value");
  EXPECT_FLOAT_EQ(path.Width(), 4500);
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 1, 0), 300);  // 4500 twips
  char header[64]{};
  LVCOLUMNA lvc{};
  lvc.mask = LVCF_TEXT;
  lvc.pszText = header;
  lvc.cchTextMax = sizeof header;
  SendMessageA(List(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&lvc));
  EXPECT_STREQ(header, "Path");

  for (const char* name : {"one", "two", "three", "four"}) Add(name, std::string("C:\\") + name);
  EXPECT_EQ(form.List1->ItemCount(), 4);
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(form.List1->Item(1).Text(), "one");
  EXPECT_EQ(form.List1->Item(3).SubItem(1), "C:\\three");
  EXPECT_EQ(Cell(2, 1), "C:\\three");
  EXPECT_EQ(form.List1->Item(3).SubItem(2), "");  // no such cell

  ui::ListItem four = form.List1->Item(4);
  form.List1->RemoveItem(2);
  EXPECT_EQ(Names(), (std::vector<std::string>{"one", "three", "four"}));
  EXPECT_EQ(four.Index(), 3);  // the handle follows its row
  EXPECT_EQ(Cell(2, 1), "C:\\four");

  form.List1->Clear();  // rows go, columns stay
  EXPECT_EQ(form.List1->ItemCount(), 0);
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(form.List1->ColumnCount(), 2);
  HWND headerWnd = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageA(headerWnd, HDM_GETITEMCOUNT, 0, 0), 2);

  form.Unload();  // the next load starts from the design
  EXPECT_EQ(form.List1->ColumnCount(), 0);
  EXPECT_EQ(form.List1->ItemCount(), 0);
}

TEST_F(ListViewTest, AnIndexOutOfRangeIsReportedAndChangesNothing) {
  Add("one", "C:\\one");
  Add("two", "C:\\two");
  ExpectedProgrammingErrors expected;
  ui::ListItem none = form.List1->Item(3);
  EXPECT_FALSE(none);
  none.SetText("x");
  none.SetSubItem(1, "y");
  none.SetChecked(true);
  EXPECT_EQ(none.Index(), 0);
  EXPECT_EQ(none.Text(), "");
  EXPECT_EQ(none.SubItem(1), "");
  EXPECT_FALSE(none.Checked());
  form.List1->RemoveItem(0);
  form.List1->Item(1).SetSubItem(0, "z");
  ui::ListViewColumn& noColumn = form.List1->Column(3);
  noColumn.SetWidth(9000);
  noColumn.SetText("Header");
  noColumn.SetSortOrder(ui::kSortDescending);
  EXPECT_EQ(expected.Seen(), (std::vector<std::string>{"list item index 3 of 2", "list item index 0 of 2",
                                                       "sub-item index 0", "column index 3 of 2"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Cell(0, 1), "C:\\one");
  EXPECT_FALSE(WindowTick(0) || WindowTick(1));
  EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, 1, 0), 300);
  form.List1->SortItems();  // still by the first column, ascending
  EXPECT_EQ(Names(), (std::vector<std::string>{"one", "two"}));
}

struct VariantCase {
  const char* name;
  VARTYPE type;
  std::string shown;
  bool converted;
};

VARIANT MakeVariant(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = type;
  switch (type) {
    case VT_BSTR: V_BSTR(&v) = SysAllocString(L"C:\\Program Files\\x.exe"); break;
    case VT_I4: V_I4(&v) = 536870912; break;
    case VT_R8: V_R8(&v) = 1.5; break;
    case VT_BOOL: V_BOOL(&v) = VARIANT_TRUE; break;
    case VT_ARRAY | VT_I4: V_ARRAY(&v) = SafeArrayCreateVector(VT_I4, 0, 2); break;
    default: break;
  }
  return v;
}

TEST_F(ListViewTest, SubItemsFromValuesAsText) {
  const VariantCase cases[] = {
      {"text", VT_BSTR, "C:\\Program Files\\x.exe", true},
      {"number", VT_I4, "536870912", true},
      {"fraction", VT_R8, "1.5", true},
      {"boolean", VT_BOOL, "True", true},
      {"empty", VT_EMPTY, "", true},
      {"null", VT_NULL, "", false},
      {"array", VT_ARRAY | VT_I4, "", false},
  };
  for (const VariantCase& c : cases) {
    SCOPED_TRACE(c.name);
    ui::ListItem row = form.List1->AddItem(c.name);
    row.SetSubItem(1, "earlier text");
    VARIANT v = MakeVariant(c.type);
    EXPECT_EQ(row.SetSubItem(1, v), c.converted);
    VariantClear(&v);
    EXPECT_EQ(row.SubItem(1), c.shown);
    EXPECT_EQ(Cell(row.Index() - 1, 1), c.shown);
    EXPECT_EQ(row.Text(), c.name);
  }
}

TEST_F(ListViewTest, TicksFromCodeAndFromAClickOnTheBox) {
  for (const char* name : {"a", "b", "c"}) Add(name, "");
  EXPECT_FALSE(form.List1->Item(1).Checked());
  EXPECT_FALSE(WindowTick(0));

  form.List1->Item(2).SetChecked(true);
  EXPECT_TRUE(WindowTick(1));

  ClickBox(0);
  EXPECT_TRUE(form.List1->Item(1).Checked());
  ClickBox(1);  // a ticked box clears
  EXPECT_FALSE(form.List1->Item(2).Checked());
  EXPECT_FALSE(form.List1->Item(3).Checked());

  // A tick stays with its row when an earlier row goes.
  form.List1->Item(3).SetChecked(true);
  form.List1->RemoveItem(1);
  EXPECT_FALSE(form.List1->Item(1).Checked());
  EXPECT_TRUE(form.List1->Item(2).Checked());
  EXPECT_FALSE(WindowTick(0));
  EXPECT_TRUE(WindowTick(1));
}

TEST_F(ListViewTest, TheUsersClicksOnBoxesAndSpaceBarTickRows) {
  struct Case {
    const char* name;
    ui::ListView& list;
  };
  const Case cases[] = {{"report view", *form.List1}, {"the items alone", *form.List3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : {"a", "b", "c"}) c.list.AddItem(name);
    HWND hwnd = c.list.hWnd();
    auto ticks = [&] {
      std::vector<bool> row, window;
      for (int i = 1; i <= c.list.ItemCount(); ++i) {
        row.push_back(c.list.Item(i).Checked());
        window.push_back((SendMessageA(hwnd, LVM_GETITEMSTATE, i - 1, LVIS_STATEIMAGEMASK) >> 12) == 2);
      }
      EXPECT_EQ(window, row) << "the window shows the rows' ticks";
      return row;
    };
    ASSERT_TRUE(::ClickAt(BoxPoint(hwnd, 0)));
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
    ASSERT_TRUE(::ClickAt(BoxPoint(hwnd, 1)));
    ASSERT_TRUE(::ClickAt(BoxPoint(hwnd, 0)));  // a ticked box clears
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));

    // A click on a row's text selects it and ticks nothing; the space bar ticks the focused row.
    ASSERT_TRUE(::ClickAt(TextPoint(hwnd, 2)));
    EXPECT_EQ(Selected(hwnd), 2);
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
    ASSERT_EQ(GetFocus(), hwnd);
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, true}));
    ASSERT_TRUE(PressKey(VK_SPACE));
    EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  }
}

TEST_F(ListViewTest, AUsersHeaderClickSortsAndTheSelectionStaysWithItsRow) {
  Add("Updater", "c:\\b\\up.exe");
  Add("audio", "C:\\a\\audio.exe");
  Add("Backup", "C:\\c\\backup.exe");
  Add("zip", "c:\\a\\zip.exe");
  ui::ListItem backup = form.List1->Item(3);
  backup.SetChecked(true);
  ASSERT_TRUE(::ClickAt(TextPoint(List(), 2)));
  ASSERT_EQ(Selected(List()), 2);

  HWND header = reinterpret_cast<HWND>(SendMessageA(List(), LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ClientToScreen(header, &p);
  ASSERT_TRUE(::ClickAt(p));
  EXPECT_EQ(form.clickedKeys, (std::vector<std::string>{"PATH"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"audio", "zip", "Updater", "Backup"}));
  EXPECT_EQ(backup.Index(), 4);
  EXPECT_EQ(Selected(List()), 3) << "the selection moved with its row";
  EXPECT_EQ(Focused(List()), 3);
  EXPECT_EQ(SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_TRUE(WindowTick(3));
  EXPECT_EQ(Cell(3, 1), "C:\\c\\backup.exe");
}

TEST_F(ListViewTest, RowsAreFoundByTheirTextThroughTheWindow) {
  for (const char* name : {"Updater", "audio", "Backup", "zip", "Audit"}) Add(name, "");
  // Automation's search.
  LVFINDINFOA find{};
  find.flags = LVFI_STRING;
  find.psz = "backup";
  EXPECT_EQ(SendMessageA(List(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);
  find.psz = "back";
  EXPECT_EQ(SendMessageA(List(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), -1);
  find.flags = LVFI_PARTIAL;
  find.psz = "AU";
  EXPECT_EQ(SendMessageA(List(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 1);

  // The user types a row's first letter.
  ASSERT_TRUE(::ClickAt(TextPoint(List(), 0)));
  ASSERT_TRUE(PressKey('Z'));
  EXPECT_EQ(Focused(List()), 3);
  EXPECT_EQ(Selected(List()), 3);
}

TEST_F(ListViewTest, ALongListEmptiesWhateverTheWindowShowed) {
  {
    ui::ListView::RedrawOff quiet(*form.List1);
    for (int i = 0; i < 2000; ++i) Add("row " + std::to_string(i), "");
  }
  SendMessageA(List(), LVM_ENSUREVISIBLE, 1999, FALSE);
  ASSERT_TRUE(::ClickAt(TextPoint(List(), 1999)));
  ASSERT_EQ(Selected(List()), 1999);
  ASSERT_GT(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0), 0);

  form.List1->Clear();
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0), 0);
  for (const char* name : {"x", "y"}) Add(name, "");
  ui::DoEvents();
  EXPECT_EQ(Names(), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0), 0) << "the new rows show from the top";
  EXPECT_EQ(Selected(List()), -1);
  EXPECT_EQ(Focused(List()), -1);
}

TEST_F(ListViewTest, AHeaderClickSortsByThatColumnAscendingEveryTime) {
  Add("Updater", "c:\\b\\up.exe");
  Add("audio", "C:\\a\\audio.exe");
  Add("Backup", "C:\\c\\backup.exe");
  Add("zip", "c:\\a\\zip.exe");
  form.List1->Item(3).SetChecked(true);
  ui::ListItem backup = form.List1->Item(3);
  EXPECT_EQ(form.List1->Item(1).Text(), "Updater");  // the first added, until a sort

  ClickHeader(List(), 1);
  EXPECT_EQ(form.clickedKeys, (std::vector<std::string>{"PATH"}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"audio", "zip", "Updater", "Backup"}));
  EXPECT_EQ(backup.Index(), 4);
  EXPECT_TRUE(form.List1->Item(4).Checked());
  EXPECT_TRUE(WindowTick(3));
  EXPECT_EQ(Cell(3, 1), "C:\\c\\backup.exe");

  ClickHeader(List(), 1);  // no toggling
  EXPECT_EQ(Names(), (std::vector<std::string>{"audio", "zip", "Updater", "Backup"}));

  ClickHeader(List(), 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"audio", "Backup", "Updater", "zip"}));
  EXPECT_EQ(form.clickedKeys, (std::vector<std::string>{"PATH", "PATH", "NAME"}));
}

TEST_F(ListViewTest, SettingsBecomeTheWindowsStyles) {
  struct Case {
    const char* name;
    ui::ListView& list;
    bool report, checkBoxes, gridLines, labelTips, sortHeader;
  };
  const Case cases[] = {
      {"startup", *form.List1, true, true, true, false, true},
      {"information", *form.List2, true, false, true, false, false},
      {"cleaner", *form.List3, false, true, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND hwnd = c.list.hWnd();
    char className[64]{};
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "SysListView32");
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, c.report ? LVS_REPORT : LVS_LIST);
    EXPECT_FALSE(style & LVS_SINGLESEL);      // several rows selectable everywhere
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);   // the selection stays visible
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_FALSE(style & LVS_AUTOARRANGE);
    EXPECT_EQ((style & LVS_NOSORTHEADER) == 0, c.sortHeader);
    DWORD ex = static_cast<DWORD>(SendMessageA(hwnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ((ex & LVS_EX_CHECKBOXES) != 0, c.checkBoxes);
    EXPECT_EQ((ex & LVS_EX_GRIDLINES) != 0, c.gridLines);
    EXPECT_EQ((ex & LVS_EX_LABELTIP) != 0, c.labelTips);
    EXPECT_EQ(SendMessageA(hwnd, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));
  }

  // A header that is no button reports nothing.
  form.List2->AddColumn("DESCRIPTION", "Description").SetWidth(2000);
  for (const char* text : {"b", "a"}) form.List2->AddItem(text);
  ClickHeader(form.List2->hWnd(), 0);
  EXPECT_EQ(form.List2->Item(1).Text(), "b");
}

// A paint that takes 40 ms of the clock: the list then waits forty times that long before
// its next paced paint, so that painting takes a fortieth of a long fill at most.
class SlowPaint {
 public:
  SlowPaint(HWND hwnd, FakeClock& clock) : hwnd_(hwnd), clock_(clock) {
    SetWindowSubclass(hwnd_, Proc, 2, reinterpret_cast<DWORD_PTR>(this));
  }
  ~SlowPaint() { RemoveWindowSubclass(hwnd_, Proc, 2); }
  int paints = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_PAINT) {
      auto* slow = reinterpret_cast<SlowPaint*>(self);
      ++slow->paints;
      slow->clock_.Advance(40);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  HWND hwnd_;
  FakeClock& clock_;
};

TEST_F(ListViewTest, AListSlowToPaintIsRefreshedLessOftenDuringAFill) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  ui::DoEvents();
  SlowPaint slow(List(), clock);
  ui::ListView::RedrawOff quiet(*form.List1);
  Add("row", "C:\\x.exe");
  form.List1->RefreshThrottled();
  ASSERT_EQ(slow.paints, 1);
  clock.Advance(100 - 40);
  form.List1->RefreshThrottled();
  EXPECT_EQ(slow.paints, 1) << "100 ms after the paint began, but the paint took 40";
  clock.Advance(1600 - 100 - 1);
  form.List1->RefreshThrottled();
  EXPECT_EQ(slow.paints, 1);
  clock.Advance(1);
  form.List1->RefreshThrottled();
  EXPECT_EQ(slow.paints, 2) << "forty times the paint's 40 ms after it began";
}

TEST_F(ListViewTest, ANewFillShowsItsFirstRowsAtOnce) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  PaintCounter counter(List());
  ui::DoEvents();
  counter.paints = 0;
  {
    ui::ListView::RedrawOff quiet(*form.List1);
    Add("first fill", "");
    form.List1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 1);
  }
  EXPECT_EQ(counter.paints, 2);
  ui::ListView::RedrawOff quiet(*form.List1);
  Add("second fill", "");
  form.List1->RefreshThrottled();
  EXPECT_EQ(counter.paints, 3) << "the pacing of the fill before does not hold it back";
}

TEST_F(ListViewTest, FillsRepaintOnceAndPacedRefreshesAtMostEvery100ms) {
  FakeClock clock;
  platform::Override<platform::Clock> useClock(clock);
  PaintCounter counter(List());
  ui::DoEvents();
  counter.paints = 0;
  {
    ui::ListView::RedrawOff quiet(*form.List1);
    {
      ui::ListView::RedrawOff nested(*form.List1);
      for (int i = 0; i < 300; ++i) Add("row " + std::to_string(i), "C:\\x.exe");
    }
    ui::DoEvents();
    EXPECT_EQ(counter.paints, 0) << "the outer hold still holds";
    EXPECT_TRUE(IsWindowVisible(List()));

    // A long fill shows its progress at a bounded rate, the first call at once.
    for (int i = 0; i < 50; ++i) form.List1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 300) << "the paced paint shows the rows so far";
    clock.Advance(99);
    Add("more", "");
    form.List1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 1);
    clock.Advance(1);
    form.List1->RefreshThrottled();
    EXPECT_EQ(counter.paints, 2);
    Add("still more", "");
    ui::DoEvents();
    EXPECT_EQ(counter.paints, 2) << "the hold is back after a paced refresh";
  }
  EXPECT_EQ(counter.paints, 3);  // one repaint when the last hold ends
  ui::DoEvents();
  EXPECT_EQ(counter.paints, 3);
  EXPECT_EQ(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0), 302);

  // A hidden list stays hidden through a fill.
  form.List1->SetVisible(false);
  {
    ui::ListView::RedrawOff quiet(*form.List1);
    Add("hidden", "");
  }
  EXPECT_FALSE(IsWindowVisible(List()));
  EXPECT_FALSE(form.List1->Visible());
}

}  // namespace
