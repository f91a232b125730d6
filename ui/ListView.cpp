#include "ui/ListView.h"

#include <commctrl.h>
#include <oleauto.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/wide_text.h"
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
  list_->RedrawRow(row_->position);
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
  list_->RedrawRow(row_->position);
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
  if (!row_ || row_->checked == ticked) return;
  row_->checked = ticked;
  if (list_->def_.value & kListCheckBoxes) list_->RedrawRow(row_->position);
}

// ---------------------------------------------------------------- ListView

ListView::ListView(Form* form, const Def& def) : Control(form, def) {}
ListView::~ListView() = default;

const char* ListView::WindowClass() const { return WC_LISTVIEWA; }

DWORD ListView::WindowStyle() const {
  const int settings = def_.value;
  // The rows live here; the window asks for those it shows.
  DWORD s = WS_TABSTOP | LVS_OWNERDATA | ((settings & kListReport) ? LVS_REPORT : LVS_LIST);
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
  shownCount_ = 0;
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
  // The ticks are ours: the window asks for each row's box (state image 1 clear, 2 ticked)
  // as it asks for its text.
  if (settings & kListCheckBoxes) SendMessageA(hwnd_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
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
  shownCount_ = 0;
  ShowCount();
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

void ListView::ShowCount() {
  if (!hwnd_ || shownCount_ == rows_.size()) return;
  // Rows added at the end: only the new rows need painting, and the view stays where it is.
  const LPARAM flags = rows_.size() > shownCount_ ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0;
  SendMessageA(hwnd_, LVM_SETITEMCOUNT, rows_.size(), flags);
  shownCount_ = rows_.size();
}

void ListView::RedrawRow(int position) {
  if (!hwnd_ || holds_ || position >= static_cast<int>(shownCount_)) return;
  SendMessageA(hwnd_, LVM_REDRAWITEMS, position, position);
}

ListItem ListView::AddItem(const std::string& text) {
  Touch();
  auto row = std::make_unique<Row>();
  row->text = text;
  row->position = static_cast<int>(rows_.size());
  rows_.push_back(std::move(row));
  Row& added = *rows_.back();
  // While redraw is held the window learns of the new rows when it is next painted.
  if (!holds_) ShowCount();
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
  if (hwnd_) {
    ShowCount();
    // The window moves the selection and the focus of the later rows up with them.
    if (SendMessageA(hwnd_, LVM_DELETEITEM, index - 1, 0)) --shownCount_;
  }
  rows_.erase(rows_.begin() + (index - 1));
  Renumber(index - 1);
  if (!holds_) ShowCount();
}

void ListView::Clear() {
  Touch();
  rows_.clear();
  if (hwnd_ && shownCount_ > 0) {
    // One step however long the list: the window holds no rows, only its count, selection
    // and focus, which all go.
    SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    shownCount_ = 0;
  }
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
  if (!hwnd_) {
    Renumber(0);
    return;
  }
  ShowCount();
  // The window keeps the selection and the focus by position: move them with their rows.
  // A row's position still says where it stood before the sort.
  const int count = static_cast<int>(rows_.size());
  std::vector<int> moved(count);  // old position -> new
  for (int i = 0; i < count; ++i) moved[rows_[i]->position] = i;
  std::vector<int> selected;
  for (int i = -1; (i = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
    selected.push_back(i);
  const int focused = static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
  const int mark = static_cast<int>(SendMessageA(hwnd_, LVM_GETSELECTIONMARK, 0, 0));
  Renumber(0);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED;
  state.state = 0;
  if (!selected.empty()) SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  state.state = LVIS_SELECTED;
  for (int old : selected)
    if (old < count) SendMessageA(hwnd_, LVM_SETITEMSTATE, moved[old], reinterpret_cast<LPARAM>(&state));
  if (focused >= 0 && focused < count) {
    state.stateMask = state.state = LVIS_FOCUSED;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, moved[focused], reinterpret_cast<LPARAM>(&state));
  }
  if (mark >= 0 && mark < count) SendMessageA(hwnd_, LVM_SETSELECTIONMARK, 0, moved[mark]);
  if (!holds_ && count > 0) InvalidateRect(hwnd_, nullptr, TRUE);
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
  ShowCount();
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
  ShowCount();
  if (holds_) SetWindowRedraw(true);
  Refresh();
  if (holds_) SetWindowRedraw(false);
  const DWORD took = platform::clock().TickCount() - now;
  paintPause_ = std::max<DWORD>(kRepaintPacingMs, took * kPaintShareInverse);
}

void ListView::ToggleByUser(int position) {
  if (position < 0 || position >= static_cast<int>(rows_.size())) return;
  Row& row = *rows_[position];
  row.checked = !row.checked;
  RedrawRow(position);
}

const std::string& ListView::CellText(const Row& row, int column) const {
  static const std::string empty;
  if (column == 0) return row.text;
  return column > 0 && column <= static_cast<int>(row.sub.size()) ? row.sub[column - 1] : empty;
}

namespace {

void CopyCellText(const std::string& text, char* to, int size) { lstrcpynA(to, text.c_str(), size); }
void CopyCellText(const std::string& text, wchar_t* to, int size) {
  lstrcpynW(to, platform::WideFromAnsi(text).c_str(), size);
}

}  // namespace

template <class DisplayItem>
void ListView::FillDisplayInfo(DisplayItem& item) const {
  if (item.iItem < 0 || item.iItem >= static_cast<int>(rows_.size())) return;
  const Row& row = *rows_[item.iItem];
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
    CopyCellText(CellText(row, item.iSubItem), item.pszText, item.cchTextMax);
  if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK) && item.iSubItem == 0 &&
      (def_.value & kListCheckBoxes))
    item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
}

// The first row from the start position on (round to the top with LVFI_WRAP) whose text is
// the one sought, or begins with it (LVFI_PARTIAL), letter case ignored: the window's own
// search when the user types a row's first letters. -1 when none is.
int ListView::FindRow(const NMLVFINDITEMA& find) const {
  const LVFINDINFOA& info = find.lvfi;
  const int count = static_cast<int>(rows_.size());
  if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz || count == 0) return -1;
  const std::string sought = info.psz;
  const int length = static_cast<int>(sought.size());
  const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
  const int span = (info.flags & LVFI_WRAP) ? count : count - start;
  for (int k = 0; k < span; ++k) {
    const int i = (start + k) % count;
    const std::string& text = rows_[i]->text;
    const bool partial = (info.flags & LVFI_PARTIAL) != 0;
    if (static_cast<int>(text.size()) < length || (!partial && static_cast<int>(text.size()) != length)) continue;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(), length, sought.data(), length) ==
        CSTR_EQUAL)
      return i;
  }
  return -1;
}

bool ListView::OnNotify(const NMHDR& header, LRESULT* result) {
  switch (header.code) {
    case LVN_GETDISPINFOA:
      FillDisplayInfo(const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item);
      *result = 0;
      return true;
    case LVN_GETDISPINFOW:
      FillDisplayInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item);
      *result = 0;
      return true;
    case LVN_ODFINDITEMA:
      *result = FindRow(reinterpret_cast<const NMLVFINDITEMA&>(header));
      return true;
    case LVN_ODFINDITEMW: {
      const auto& wide = reinterpret_cast<const NMLVFINDITEMW&>(header);
      NMLVFINDITEMA find{};
      find.iStart = wide.iStart;
      find.lvfi.flags = wide.lvfi.flags;
      const std::string sought = wide.lvfi.psz ? platform::AnsiFromWide(wide.lvfi.psz) : std::string();
      if (wide.lvfi.psz) find.lvfi.psz = sought.c_str();
      *result = FindRow(find);
      return true;
    }
    case NM_CLICK: {
      // A click on a row's box ticks or clears it. The window keeps no tick of an owner-data
      // row, so it changes nothing itself (and what it reports of the state image is not
      // read: one click, one change, whichever way the window reports it).
      if (!(def_.value & kListCheckBoxes)) return false;
      LVHITTESTINFO hit{};
      hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
      const int position = static_cast<int>(SendMessageA(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      if (position >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleByUser(position);
      return false;
    }
    case LVN_KEYDOWN: {
      // The space bar ticks or clears the focused row.
      if (!(def_.value & kListCheckBoxes) || reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_SPACE)
        return false;
      ToggleByUser(static_cast<int>(SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
      return false;
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
