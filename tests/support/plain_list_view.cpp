#include "support/plain_list_view.h"

#include <commctrl.h>

#include <cstdio>

#include "support/bench_rounds.h"
#include "ui/form.h"

namespace {

// What a plain list takes of the page's list's style: its view and the settings that change
// what is drawn; never LVS_OWNERDATA or a sorting style.
constexpr DWORD kCopiedStyle = LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                               LVS_NOCOLUMNHEADER | LVS_NOLABELWRAP | LVS_AUTOARRANGE | LVS_NOSCROLL;

// True when the point at the middle of `window` shows it (or a child of it).
bool InFront(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const HWND seen = WindowFromPoint(middle);
  return seen == window || IsChild(window, seen);
}

}  // namespace

PlainListView::PlainListView(HWND like) {
  RECT r;
  GetWindowRect(like, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  host_ = CreateWindowExA(0, "Static", "plain list", WS_POPUP | WS_VISIBLE, r.left, r.top, width, height, nullptr,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(like, GWL_STYLE)) & kCopiedStyle;
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(like, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE;
  list_ = CreateWindowExA(exStyle, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, host_,
                          nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list_, WM_SETFONT, SendMessageA(like, WM_GETFONT, 0, 0), FALSE);
  const LRESULT extended = SendMessageA(like, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  SendMessageA(list_, LVM_SETBKCOLOR, 0, SendMessageA(like, LVM_GETBKCOLOR, 0, 0));
  SendMessageA(list_, LVM_SETTEXTBKCOLOR, 0, SendMessageA(like, LVM_GETTEXTBKCOLOR, 0, 0));
  SendMessageA(list_, LVM_SETTEXTCOLOR, 0, SendMessageA(like, LVM_GETTEXTCOLOR, 0, 0));
  if ((style & LVS_TYPEMASK) == LVS_REPORT) {
    const HWND header = reinterpret_cast<HWND>(SendMessageA(like, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
      char text[260] = "";
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
      column.pszText = text;
      column.cchTextMax = sizeof text;
      SendMessageA(like, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
      column.mask |= LVCF_SUBITEM;
      column.iSubItem = c;
      SendMessageA(list_, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
  } else {
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, SendMessageA(like, LVM_GETCOLUMNWIDTH, 0, 0));
  }
}

PlainListView::~PlainListView() { DestroyWindow(host_); }

int PlainListView::Count() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

void PlainListView::BringToFront() { ::BringToFront(list_); }

void PlainListView::BeginFill() {
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
  next_ = 0;
}

void PlainListView::AddRow(const char* text, const char* sub) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = next_++;
  item.pszText = const_cast<char*>(text);
  const int at = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (!sub) return;
  LVITEMA cell{};
  cell.iSubItem = 1;
  cell.pszText = const_cast<char*>(sub);
  SendMessageA(list_, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&cell));
}

void PlainListView::EndFill() {
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void BringToFront(HWND window) {
  const HWND top = GetAncestor(window, GA_ROOT);
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ui::DoEvents();
  PaintNow(top);
  if (!InFront(window)) {
    std::printf("FAILED: a list could not be brought to the front; the two sides would not paint alike\n");
    std::fflush(stdout);
    ExitProcess(3);
  }
}
