#include "ui/ListView.h"

#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>

#include "platform/clock.h"
#include "ui/ProgrammingError.h"
#include "ui/form.h"

namespace ui {

struct ListItem::Row {
  std::string text;
  std::vector<std::string> sub;  // sub[0] is sub-item 1
  bool checked = false;
  int position = 0;  // 0-based, kept equal to the row's place in the list
};

namespace {

constexpr DWORD kRepaintPacingMs = 100;
// Paced repaints take at most 1/40 of a long fill's time.
constexpr DWORD kPaintShareInverse = 40;

std::string NarrowText(BSTR text) {
  int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return "";
  int n = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

// ---------------------------------------------------------------- ListViewColumn

void ListViewColumn::SetText(const std::string& header) {
  if (!list_) return;  // the stand-in for a column the list lacks
  list_->Touch();
  text_ = header;
  list_->ApplyColumnText(*this);
}

void ListViewColumn::SetWidth(float twips) {
  if (!list_) return;
  list_->Touch();
  width_ = twips;
  list_->ApplyColumnWidth(*this);
}

void ListViewColumn::SetSortType(int type) {
  sortType_ = type;
  if (list_) list_->sortColumn_ = index_;
}

void ListViewColumn::SetSortOrder(int order) {
  sortOrder_ = order;
  if (list_) list_->sortColumn_ = index_;
}

// ---------------------------------------------------------------- ListItem

// An empty handle (what a row index out of range gives) reads as an empty row and changes
// nothing.
int ListItem::Index() const { return row_ ? row_->position + 1 : 0; }
std::string ListItem::Text() const { return row_ ? row_->text : std::string(); }

void ListItem::SetText(const std::string& text) {
  if (!row_) return;
  row_->text = text;
  list_->SetCellWindow(row_->position, 0, text);
}

std::string ListItem::SubItem(int index) const {
  if (!row_ || index < 1 || index > static_cast<int>(row_->sub.size())) return "";
  return row_->sub[index - 1];
}

void ListItem::SetSubItem(int index, const std::string& text) {
  if (!row_) return;
  if (index < 1) return ProgrammingError("sub-item index " + std::to_string(index));
  if (static_cast<int>(row_->sub.size()) < index) row_->sub.resize(index);
  row_->sub[index - 1] = text;
  list_->SetCellWindow(row_->position, index, text);
}

bool ListItem::SetSubItem(int index, const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  HRESULT hr = VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT,
                                   VARIANT_ALPHABOOL, VT_BSTR);
  bool converted = SUCCEEDED(hr) && V_VT(&text) == VT_BSTR;
  SetSubItem(index, converted ? NarrowText(V_BSTR(&text)) : std::string());
  VariantClear(&text);
  return converted;
}

bool ListItem::Checked() const { return row_ && row_->checked; }

void ListItem::SetChecked(bool ticked) {
  if (!row_) return;
  row_->checked = ticked;
  list_->SetCheckWindow(row_->position, ticked);
}

// ---------------------------------------------------------------- ListView

ListView::ListView(Form* form, const Def& def) : Control(form, def) {}
ListView::~ListView() = default;

const char* ListView::WindowClass() const { return WC_LISTVIEWA; }

DWORD ListView::WindowStyle() const {
  const int settings = def_.value;
  DWORD s = WS_TABSTOP | ((settings & kListReport) ? LVS_REPORT : LVS_LIST);
  if (!(settings & kListMultiSelect)) s |= LVS_SINGLESEL;
  if (!(settings & kListHideSelection)) s |= LVS_SHOWSELALWAYS;
  // A header that is no button reports no click: only a page that sorts on a click gets
  // buttons.
  if (!ColumnClick) s |= LVS_NOSORTHEADER;
  return s;
}

void ListView::ResetKindState() {
  columns_.clear();
  rows_.clear();
  sortColumn_ = 1;
  holds_ = 0;
  painted_ = false;
}

void ListView::AfterCreate() {
  const int settings = def_.value;
  DWORD ex = 0;
  if (settings & kListCheckBoxes) ex |= LVS_EX_CHECKBOXES;
  if (settings & kListGridLines) ex |= LVS_EX_GRIDLINES;
  if (settings & kListLabelTips) ex |= LVS_EX_LABELTIP;
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  COLORREF back = back_ != kDefaultColor ? back_ : RGB(255, 255, 255);
  SendMessageA(hwnd_, LVM_SETBKCOLOR, 0, back);
  SendMessageA(hwnd_, LVM_SETTEXTBKCOLOR, 0, back);
  // The window shows what the control holds.
  for (const auto& column : columns_) {
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_SUBITEM;
    lvc.iSubItem = column->index_ - 1;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, column->index_ - 1, reinterpret_cast<LPARAM>(&lvc));
    ApplyColumnText(*column);
    ApplyColumnWidth(*column);
  }
  for (const auto& row : rows_) InsertRowWindow(row->position);
}

void ListView::ApplyColumnText(const ListViewColumn& column) {
  if (!hwnd_) return;
  LVCOLUMNA lvc{};
  lvc.mask = LVCF_TEXT;
  lvc.pszText = const_cast<char*>(column.text_.c_str());
  SendMessageA(hwnd_, LVM_SETCOLUMNA, column.index_ - 1, reinterpret_cast<LPARAM>(&lvc));
}

void ListView::ApplyColumnWidth(const ListViewColumn& column) {
  if (!hwnd_) return;
  SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, column.index_ - 1, MAKELPARAM(ToPixels(column.width_), 0));
}

ListViewColumn& ListView::AddColumn(const std::string& key, const std::string& header) {
  Touch();
  int index = static_cast<int>(columns_.size()) + 1;
  columns_.push_back(std::unique_ptr<ListViewColumn>(new ListViewColumn(this, index, key, header)));
  ListViewColumn& column = *columns_.back();
  if (hwnd_) {
    LVCOLUMNA lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.pszText = const_cast<char*>(column.text_.c_str());
    lvc.cx = ToPixels(column.width_);
    lvc.iSubItem = index - 1;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, index - 1, reinterpret_cast<LPARAM>(&lvc));
  }
  return column;
}

int ListView::ColumnCount() {
  Touch();
  return static_cast<int>(columns_.size());
}

ListViewColumn& ListView::Column(int index) {
  Touch();
  if (index < 1 || index > static_cast<int>(columns_.size())) {
    ProgrammingError("column index " + std::to_string(index) + " of " + std::to_string(columns_.size()));
    // A column of no list: its settings go nowhere.
    static ListViewColumn standIn(nullptr, 0, "", "");
    standIn = ListViewColumn(nullptr, 0, "", "");
    return standIn;
  }
  return *columns_[index - 1];
}

void ListView::InsertRowWindow(int position) {
  if (!hwnd_) return;
  Row& row = *rows_[position];
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = position;
  item.pszText = const_cast<char*>(row.text.c_str());
  item.lParam = reinterpret_cast<LPARAM>(&row);
  SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (size_t i = 0; i < row.sub.size(); ++i)
    if (!row.sub[i].empty()) SetCellWindow(position, static_cast<int>(i) + 1, row.sub[i]);
  if (row.checked) SetCheckWindow(position, true);
}

void ListView::SetCellWindow(int position, int column, const std::string& text) {
  if (!hwnd_) return;
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(hwnd_, LVM_SETITEMTEXTA, position, reinterpret_cast<LPARAM>(&item));
}

void ListView::SetCheckWindow(int position, bool ticked) {
  if (!hwnd_ || !(def_.value & kListCheckBoxes)) return;
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
  SendMessageA(hwnd_, LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
}

ListItem ListView::AddItem(const std::string& text) {
  Touch();
  auto row = std::make_unique<Row>();
  row->text = text;
  row->position = static_cast<int>(rows_.size());
  rows_.push_back(std::move(row));
  Row& added = *rows_.back();
  InsertRowWindow(added.position);
  return ListItem(this, &added);
}

int ListView::ItemCount() {
  Touch();
  return static_cast<int>(rows_.size());
}

ListView::Row* ListView::RowAt(int index) {
  if (index < 1 || index > static_cast<int>(rows_.size())) {
    ProgrammingError("list item index " + std::to_string(index) + " of " + std::to_string(rows_.size()));
    return nullptr;
  }
  return rows_[index - 1].get();
}

ListItem ListView::Item(int index) {
  Touch();
  Row* row = RowAt(index);
  return row ? ListItem(this, row) : ListItem();
}

void ListView::Renumber(int from) {
  for (int i = from; i < static_cast<int>(rows_.size()); ++i) rows_[i]->position = i;
}

void ListView::RemoveItem(int index) {
  Touch();
  if (!RowAt(index)) return;
  if (hwnd_) SendMessageA(hwnd_, LVM_DELETEITEM, index - 1, 0);
  rows_.erase(rows_.begin() + (index - 1));
  Renumber(index - 1);
}

void ListView::Clear() {
  Touch();
  if (hwnd_) SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
}

void ListView::SortItems() {
  Touch();
  const int column = sortColumn_;
  int order = kSortAscending;
  if (column >= 1 && column <= static_cast<int>(columns_.size())) order = columns_[column - 1]->sortOrder_;
  auto key = [column](const Row& row) -> const std::string& {
    static const std::string empty;
    if (column <= 1) return row.text;
    return column - 2 < static_cast<int>(row.sub.size()) ? row.sub[column - 2] : empty;
  };
  std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
    int c = lstrcmpiA(key(*a).c_str(), key(*b).c_str());
    return order == kSortDescending ? c > 0 : c < 0;
  });
  Renumber(0);
  if (!hwnd_) return;
  // The window orders its rows as ours stand, so a row's selection moves with it.
  SendMessageA(hwnd_, LVM_SORTITEMS, 0,
               reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) -> int {
                 return reinterpret_cast<Row*>(a)->position - reinterpret_cast<Row*>(b)->position;
               }));
}

void ListView::SetWindowRedraw(bool on) {
  if (!hwnd_) return;
  SendMessageA(hwnd_, WM_SETREDRAW, on, 0);
  // The default handling of WM_SETREDRAW also sets or clears the window's visible style:
  // keep it as the control says.
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  if (visible_ != ((style & WS_VISIBLE) != 0))
    SetWindowLongA(hwnd_, GWL_STYLE, visible_ ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE));
}

void ListView::HoldRedraw(bool hold) {
  Touch();
  if (hold) {
    if (holds_++ == 0) {
      SetWindowRedraw(false);
      painted_ = false;  // a new fill shows its first rows at once
    }
    return;
  }
  if (holds_ == 0 || --holds_ > 0) return;
  SetWindowRedraw(true);
  Refresh();
}

ListView::RedrawOff::RedrawOff(ListView& list) : list_(list) { list_.HoldRedraw(true); }
ListView::RedrawOff::~RedrawOff() { list_.HoldRedraw(false); }

void ListView::RefreshThrottled() {
  Touch();
  const DWORD now = platform::clock().TickCount();
  if (painted_ && now - lastPaint_ < paintPause_) return;
  painted_ = true;
  lastPaint_ = now;
  paintPause_ = kRepaintPacingMs;
  if (!hwnd_) return;
  if (holds_) SetWindowRedraw(true);
  Refresh();
  if (holds_) SetWindowRedraw(false);
  const DWORD took = platform::clock().TickCount() - now;
  paintPause_ = std::max<DWORD>(kRepaintPacingMs, took * kPaintShareInverse);
}

bool ListView::OnNotify(const NMHDR& header, LRESULT* result) {
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      // A tick from the user (a click on the box, the space bar) or from our own calls.
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (!(change.uChanged & LVIF_STATE) ||
          !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
        return false;
      int image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
      if (change.iItem >= 0 && change.iItem < static_cast<int>(rows_.size()) && image > 0)
        rows_[change.iItem]->checked = image == 2;
      *result = 0;
      return true;
    }
    case LVN_DELETEALLITEMS:
      *result = TRUE;  // no notification per row: clearing a long list stays one step
      return true;
    case LVN_COLUMNCLICK: {
      const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
      if (click.iSubItem >= 0 && click.iSubItem < static_cast<int>(columns_.size())) {
        ListViewColumn& column = *columns_[click.iSubItem];
        if (ColumnClick) Raise([&] { ColumnClick(column); });
      }
      *result = 0;
      return true;
    }
    default:
      return false;
  }
}

void SortListByColumn(ListView& list, ListViewColumn& column) {
  column.SetSortType(kSortText);
  column.SetSortOrder(kSortAscending);
  list.SortItems();
}

}  // namespace ui
