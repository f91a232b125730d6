#pragma once
// Our list view over the standard SysListView32: rows with a text, sub-item texts and a
// check box, in report view (columns under a header) or as the items alone.
//
//   {.kind = ui::Kind::Custom, .name = "List1", .rect = {...}, .fontSize = 8.25,
//    .value = ui::kListReport | ui::kListCheckBoxes | ui::kListGridLines | ui::kListMultiSelect,
//    .fontName = "MS Sans Serif", .customClass = ui::kListViewClass}
//
//   List1->SetVisible(false);
//   List1->AddColumn("NAME", "Name").SetWidth(3500);   // twips
//   List1->SetVisible(true);
//   {
//     ui::ListView::RedrawOff quiet(*List1);           // fills never repaint per row
//     ui::ListItem row = List1->AddItem("Updater");
//     row.SetSubItem(1, "C:\\Program Files\\Updater\\up.exe");
//   }
//   for (int i = 1; i <= List1->ItemCount(); ++i)
//     if (List1->Item(i).Checked()) ...
//
// Rows are numbered from 1 and keep the order of adding until the rows are sorted. The rows
// (texts, sub-item texts, ticks) live in the control alone: the window holds none of its own
// and asks for the rows it shows (owner data), so adding a row costs a push, and emptying a
// long list is one count change. The window still gives every row's text and tick through
// the standard messages (LVM_GETITEMTEXT, LVM_GETITEMSTATE, LVM_FINDITEM), to accessibility
// tools and automation too; it keeps the selection and the focus itself. A user's tick (a
// click on a row's box, the space bar on the focused row) changes the row at once. While
// redraw is held off (RedrawOff) the window learns of added rows at the next paced refresh
// (RefreshThrottled) or when the hold ends. Everything resets to the design (no columns, no
// rows) when the form unloads.
#include <windows.h>
#include <commctrl.h>
#include <oaidl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace ui {

inline constexpr const char* kListViewClass = "ListView";

// The settings stored with a page: the design row's .value, as flags. Rows are never
// edited in place and never arranged automatically; the background is white.
enum ListViewSetting : int {
  kListReport = 1 << 0,         // report view: rows under column headers; else the items alone
  kListCheckBoxes = 1 << 1,     // a check box on every row
  kListGridLines = 1 << 2,      // lines between rows and columns (report view)
  kListLabelTips = 1 << 3,      // a text cut off by its column shows whole in a tip
  kListMultiSelect = 1 << 4,    // several rows can be selected at once
  kListHideSelection = 1 << 5,  // the selection is hidden while the list has no focus
};
// The column headers act as buttons only when the page handles ColumnClick: a header that
// is no button reports no click.

// Sort settings of a column.
inline constexpr int kSortText = 0;        // sort type: by the column's text, case ignored
inline constexpr int kSortAscending = 1;   // sort order
inline constexpr int kSortDescending = 2;

class ListView;

// A column. Its reference stays valid while the form is loaded.
class ListViewColumn {
 public:
  int Index() const { return index_; }  // 1-based position
  const std::string& Key() const { return key_; }
  std::string Text() const { return text_; }
  void SetText(const std::string& header);
  float Width() const { return width_; }  // twips, like the list's own width
  void SetWidth(float twips);
  const std::string& Tag() const { return tag_; }
  void SetTag(const std::string& tag) { tag_ = tag; }
  // A number the page keeps with the column; the list does not use it.
  int Data() const { return data_; }
  void SetData(int data) { data_ = data; }
  // Setting either makes this the column that SortItems sorts by.
  int SortType() const { return sortType_; }
  void SetSortType(int type);
  int SortOrder() const { return sortOrder_; }
  void SetSortOrder(int order);

 private:
  friend class ListView;
  ListViewColumn(ListView* list, int index, std::string key, std::string text)
      : list_(list), index_(index), key_(std::move(key)), text_(std::move(text)) {}
  ListView* list_;
  int index_;
  std::string key_;
  std::string text_;
  float width_ = 1440;
  std::string tag_;
  int data_ = 0;
  int sortType_ = kSortText;
  int sortOrder_ = kSortAscending;
};

// A handle to one row: valid while the row is in the list (clearing, removing the row or
// unloading the form ends it); it follows its row through sorts and removals of others. An
// empty handle reads as an empty row (index 0, "", unticked) and its changes do nothing.
class ListItem {
 public:
  ListItem() = default;
  int Index() const;  // current 1-based position
  std::string Text() const;
  void SetText(const std::string& text);
  // Sub-item 1 is the second column. An index with no text reads "".
  std::string SubItem(int index) const;
  void SetSubItem(int index, const std::string& text);
  // The value as text, in the platform's standard conversion (numbers in decimal, True and
  // False for Booleans, dates in the user's locale). A value with no text form (Null, an
  // array, an object) leaves the cell empty and gives false.
  bool SetSubItem(int index, const VARIANT& value);
  bool Checked() const;
  void SetChecked(bool ticked);
  explicit operator bool() const { return row_ != nullptr; }

 private:
  friend class ListView;
  struct Row;
  ListItem(ListView* list, Row* row) : list_(list), row_(row) {}
  ListView* list_ = nullptr;
  Row* row_ = nullptr;
};

class ListView : public Control {
 public:
  ListView(Form* form, const Def& def);
  ~ListView() override;

  int Settings() const { return def_.value; }

  // Columns: added last; the header text and the key as given.
  ListViewColumn& AddColumn(const std::string& key, const std::string& header);
  int ColumnCount();
  // 1-based; an index out of range is a programming error and gives a column of no list.
  ListViewColumn& Column(int index);

  // Rows.
  ListItem AddItem(const std::string& text);  // placed last, unticked
  int ItemCount();
  // 1-based; an index out of range is a programming error and gives an empty handle.
  ListItem Item(int index);
  void RemoveItem(int index);  // 1-based; later rows move up by one
  void Clear();  // every row goes, the columns stay
  // Sorts the rows by the column whose sort settings were set last (the first column when
  // none was); rows of equal text keep their order. The window's selection and focus move
  // with their rows.
  void SortItems();

  // Repaints the list now.
  void Redraw() { Refresh(); }
  // Cheap enough to call after every row added in a long fill: repaints at most once per
  // 100 ms (the first call repaints), also while redraw is held off. A list that is slow to
  // paint (many rows on screen, a slow display) waits longer, forty times its last paint's
  // duration, so that painting takes at most a fortieth of the fill.
  void RefreshThrottled();

  // Holds the list's repainting off while it lives; when the last hold ends the list
  // repaints once. Holds nest. The first RefreshThrottled() under a new hold repaints at once.
  class RedrawOff {
   public:
    explicit RedrawOff(ListView& list);
    ~RedrawOff();
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

   private:
    ListView& list_;
  };

  // A click on a column header (report view), given the clicked column.
  std::function<void(ListViewColumn& column)> ColumnClick;

  // Toolkit internals.
  bool OnNotify(const NMHDR& header, LRESULT* result) override;

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ResetKindState() override;
  void AfterCreate() override;

 private:
  friend class ListItem;
  friend class ListViewColumn;
  using Row = ListItem::Row;

  // Tells the window the number of rows when it differs from what the window has.
  void ShowCount();
  // Repaints a row that the window shows (nothing while redraw is held off).
  void RedrawRow(int position);
  void ToggleByUser(int position);
  void ApplyColumnWidth(const ListViewColumn& column);
  void ApplyColumnText(const ListViewColumn& column);
  void Renumber(int from);
  void HoldRedraw(bool hold);
  void SetWindowRedraw(bool on);
  Row* RowAt(int index);  // null (reported) when out of range
  // The window asks for what it shows (LVITEMA or LVITEMW, as its format says).
  template <class DisplayItem>
  void FillDisplayInfo(DisplayItem& item) const;
  const std::string& CellText(const Row& row, int column) const;
  int FindRow(const NMLVFINDITEMA& find) const;

  std::vector<std::unique_ptr<ListViewColumn>> columns_;
  std::vector<std::unique_ptr<Row>> rows_;
  size_t shownCount_ = 0;  // the number of rows the window was last given
  int sortColumn_ = 1;
  int holds_ = 0;
  bool painted_ = false;
  DWORD lastPaint_ = 0;
  DWORD paintPause_ = 0;  // from the start of the last paced paint to the next
};

// The column-click handler the list pages share: sorts by the clicked column, by its
// text, ascending at every click.
void SortListByColumn(ListView& list, ListViewColumn& column);

}  // namespace ui
