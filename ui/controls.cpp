#include "ui/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "ui/DriveList.h"
#include "ui/FolderBrowser.h"
#include "ui/HyperLink.h"
#include "ui/ListView.h"
#include "ui/ProgrammingError.h"
#include "ui/ProgressBar.h"
#include "ui/TreeView.h"
#include "ui/form.h"

namespace ui {
namespace {

std::map<std::string, CustomFactory>& CustomFactories() {
  static std::map<std::string, CustomFactory> factories;
  return factories;
}

COLORREF Resolve(COLORREF c, int sysIndex) {
  return c == kDefaultColor ? GetSysColor(sysIndex) : c;
}

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  std::string s(n + 1, '\0');
  n = GetWindowTextA(hwnd, s.data(), n + 1);
  s.resize(n > 0 ? n : 0);
  return s;
}

}  // namespace

const char* RegisterControlClass(const char* className, WNDPROC proc, LPCSTR cursor) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
  }
  return className;
}

void RegisterCustomControl(const std::string& className, CustomFactory factory) {
  CustomFactories()[className] = std::move(factory);
}

std::unique_ptr<Control> MakeControl(Form* form, const Def& def) {
  switch (def.kind) {
    case Kind::Label: return std::make_unique<Label>(form, def);
    case Kind::TextBox: return std::make_unique<TextBox>(form, def);
    case Kind::CommandButton: return std::make_unique<CommandButton>(form, def);
    case Kind::CheckBox: return std::make_unique<CheckBox>(form, def);
    case Kind::OptionButton: return std::make_unique<OptionButton>(form, def);
    case Kind::Frame: return std::make_unique<Frame>(form, def);
    case Kind::PictureBox: return std::make_unique<PictureBox>(form, def);
    case Kind::Image: return std::make_unique<Image>(form, def);
    case Kind::Line: return std::make_unique<Line>(form, def);
    case Kind::Timer: return std::make_unique<Timer>(form, def);
    case Kind::VScrollBar: return std::make_unique<VScrollBar>(form, def);
    case Kind::ComboBox: return std::make_unique<ComboBox>(form, def);
    case Kind::ListBox: return std::make_unique<ListBox>(form, def);
    case Kind::Menu: return std::make_unique<Menu>(form, def);
    case Kind::Custom: {
      if (std::string(def.customClass) == kDriveListClass) return std::make_unique<DriveList>(form, def);
      if (std::string(def.customClass) == kProgressBarClass) return std::make_unique<ProgressBar>(form, def);
      if (std::string(def.customClass) == kHyperLinkClass) return std::make_unique<HyperLink>(form, def);
      if (std::string(def.customClass) == kListViewClass) return std::make_unique<ListView>(form, def);
      if (std::string(def.customClass) == kTreeViewClass) return std::make_unique<TreeView>(form, def);
      if (std::string(def.customClass) == kFolderBrowserClass) return std::make_unique<FolderBrowser>(form, def);
      auto it = CustomFactories().find(def.customClass);
      if (it == CustomFactories().end()) {
        ProgrammingError(std::string("unknown control class ") + def.customClass + " of " + def.name);
        return nullptr;  // the form goes without it
      }
      return it->second(form, def);
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------- Control

Control::Control(Form* form, const Def& def)
    : form_(form), def_(def), name_(def.name), index_(def.index) {
  rect_ = def_.rect;
}

Control::~Control() {
  if (backBrush_) DeleteObject(backBrush_);
}

void Control::Touch() { form_->EnsureLoaded(); }
bool Control::Creating() const { return form_->CreatingWindows(); }
float Control::TwipsPerPixel() const { return form_->TwipsPerPixel(); }
int Control::ToPixels(float twips) const {
  return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

void Control::Raise(const std::function<void()>& handler) {
  if (handler && !Creating()) handler();
}

void Control::ResetToDesign() {
  rect_ = def_.rect;
  visible_ = (def_.style & kHidden) == 0;
  enabled_ = (def_.style & kDisabled) == 0;
  caption_ = def_.caption;
  tip_.clear();
  fontSize_ = def_.fontSize > 0 ? def_.fontSize : form_->design().fontSize;
  bold_ = (def_.style & kBold) != 0;
  fore_ = def_.foreColor;
  back_ = def_.backColor;
  if (backBrush_) {
    DeleteObject(backBrush_);
    backBrush_ = nullptr;
  }
  ResetKindState();
}

HWND Control::ParentWindow() const {
  if (container_ && container_->window()) return container_->window();
  return form_->window();
}

int Control::CreateHeightPx() const { return ToPixels(rect_.height); }

void Control::CreateWindowNow() {
  if (!HasWindow()) return;
  if (!id_) id_ = form_->NextControlId();
  DWORD style = WS_CHILD | WindowStyle();
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  if (IsContainer()) style |= WS_CLIPCHILDREN;
  DWORD ex = WindowExStyle();
  if (IsContainer()) ex |= WS_EX_CONTROLPARENT;
  hwnd_ = CreateWindowExA(ex, WindowClass(), caption_.c_str(), style, ToPixels(rect_.left),
                          ToPixels(rect_.top), ToPixels(rect_.width), CreateHeightPx(),
                          ParentWindow(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                          GetModuleHandleA(nullptr), nullptr);
  ApplyFont();
  AfterCreate();
  UpdateToolTip();
}

void Control::DetachWindow() { hwnd_ = nullptr; }

void Control::ApplyGeometry() {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, ToPixels(rect_.left), ToPixels(rect_.top), ToPixels(rect_.width),
               CreateHeightPx(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::ApplyFont() {
  if (!hwnd_ || !HasFont()) return;
  SendMessageA(hwnd_, WM_SETFONT,
               reinterpret_cast<WPARAM>(form_->FontFor(fontSize_, bold_, def_.fontName)), TRUE);
}

void Control::UpdateToolTip() { form_->UpdateToolTip(*this); }

float Control::Left() { Touch(); return rect_.left; }
float Control::Top() { Touch(); return rect_.top; }
float Control::Width() { Touch(); return rect_.width; }
float Control::Height() { Touch(); return rect_.height; }
void Control::SetLeft(float v) { Move(v, Top(), Width(), Height()); }
void Control::SetTop(float v) { Move(Left(), v, Width(), Height()); }
void Control::SetWidth(float v) { Move(Left(), Top(), v, Height()); }
void Control::SetHeight(float v) { Move(Left(), Top(), Width(), v); }

void Control::Move(float left, float top, float width, float height) {
  Touch();
  rect_ = {left, top, width, height};
  ApplyGeometry();
}

bool Control::Visible() { Touch(); return visible_; }
void Control::SetVisible(bool v) {
  Touch();
  visible_ = v;
  if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
  if (kind() == Kind::Menu) form_->RebuildMenu();
}

bool Control::Enabled() { Touch(); return enabled_; }
void Control::SetEnabled(bool v) {
  Touch();
  enabled_ = v;
  if (hwnd_) EnableWindow(hwnd_, v);
  if (kind() == Kind::Menu) form_->RebuildMenu();
  if (kind() == Kind::Timer) static_cast<Timer*>(this)->Arm();
}

std::string Control::Caption() {
  Touch();
  return caption_;
}

void Control::SetCaption(const std::string& text) {
  Touch();
  caption_ = text;
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

std::string Control::ToolTipText() { Touch(); return tip_; }
void Control::SetToolTipText(const std::string& text) {
  Touch();
  tip_ = text;
  UpdateToolTip();
}

float Control::FontSize() { Touch(); return fontSize_; }
void Control::SetFontSize(float points) {
  Touch();
  fontSize_ = points;
  ApplyFont();
}
bool Control::FontBold() { Touch(); return bold_; }
void Control::SetFontBold(bool bold) {
  Touch();
  bold_ = bold;
  ApplyFont();
}

COLORREF Control::ForeColor() { Touch(); return Resolve(fore_, COLOR_BTNTEXT); }
void Control::SetForeColor(COLORREF c) {
  Touch();
  fore_ = c;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}
COLORREF Control::BackColor() { Touch(); return Resolve(back_, COLOR_BTNFACE); }
void Control::SetBackColor(COLORREF c) {
  Touch();
  back_ = c;
  if (backBrush_) {
    DeleteObject(backBrush_);
    backBrush_ = nullptr;
  }
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetFocus() {
  Touch();
  if (hwnd_) ::SetFocus(hwnd_);
}
void Control::Refresh() {
  Touch();
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
HWND Control::hWnd() { Touch(); return hwnd_; }

LRESULT Control::OnCtlColor(HDC dc, UINT message) {
  if (fore_ == kDefaultColor && back_ == kDefaultColor) return 0;
  SetTextColor(dc, Resolve(fore_, COLOR_BTNTEXT));
  COLORREF back = Resolve(back_, COLOR_BTNFACE);
  SetBkColor(dc, back);
  if (!backBrush_) backBrush_ = CreateSolidBrush(back);
  return reinterpret_cast<LRESULT>(backBrush_);
}

// ---------------------------------------------------------------- Label

DWORD Label::WindowStyle() const {
  DWORD s = SS_NOTIFY;
  if (def_.style & kCenter) s |= SS_CENTER;
  else if (def_.style & kRight) s |= SS_RIGHT;
  if (def_.style & kBorder) s |= WS_BORDER;
  return s;
}

void Label::SetCaption(const std::string& text) {
  const bool changed = Caption() != text;
  Control::SetCaption(text);
  if (changed) Raise(Change);
}

void RefreshOnChange(Control& control) { control.Refresh(); }

LRESULT Label::OnCtlColor(HDC dc, UINT message) {
  if (def_.style & kTransparent) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Resolve(fore_, COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  return Control::OnCtlColor(dc, message);
}

RECT Label::MeasureCaption(int widthPixels, UINT format) {
  Touch();
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, form_->FontFor(fontSize_, bold_, def_.fontName));
  RECT r{0, 0, widthPixels, 0};
  DrawTextA(dc, caption_.c_str(), -1, &r, DT_CALCRECT | format);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  return r;
}

float Label::WrappedHeight(float width) {
  return MeasureCaption(ToPixels(width), DT_WORDBREAK).bottom * TwipsPerPixel();
}

float Label::TextWidth() { return MeasureCaption(0, DT_SINGLELINE).right * TwipsPerPixel(); }

Pointer Label::MousePointer() {
  Touch();
  return pointer_;
}

void Label::SetMousePointer(Pointer pointer) {
  Touch();
  pointer_ = pointer;
}

bool Label::ApplyPointer() {
  if (pointer_ != Pointer::Hand) return false;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  return true;
}

void Label::OnCommand(int code) {
  if (code == STN_CLICKED) Raise(Click);
  else if (code == STN_DBLCLK) Raise(DblClick);
}

// ---------------------------------------------------------------- TextBox

DWORD TextBox::WindowStyle() const {
  DWORD s = WS_TABSTOP | ES_AUTOHSCROLL;
  if (def_.style & kMultiLine) {
    s = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (def_.style & kScrollBars) s |= WS_VSCROLL;
  }
  if (def_.style & kPassword) s |= ES_PASSWORD;
  if (def_.style & kLocked) s |= ES_READONLY;
  if (def_.style & kCenter) s |= ES_CENTER;
  else if (def_.style & kRight) s |= ES_RIGHT;
  return s;
}

void TextBox::ResetKindState() { maxLength_ = def_.max; }

void TextBox::AfterCreate() {
  if (maxLength_ > 0) SendMessageA(hwnd_, EM_LIMITTEXT, maxLength_, 0);
  if (def_.style & kPassword) SendMessageA(hwnd_, EM_SETPASSWORDCHAR, '*', 0);
}

std::string TextBox::Caption() {
  Touch();
  if (hwnd_) caption_ = WindowText(hwnd_);
  return caption_;
}

void TextBox::SetCaption(const std::string& text) {
  Touch();
  std::string old = Caption();
  caption_ = text;
  if (hwnd_) {
    SetWindowTextA(hwnd_, text.c_str());  // EN_CHANGE raises Change
  } else if (old != text) {
    Raise(Change);
  }
}

int TextBox::MaxLength() { Touch(); return maxLength_; }
void TextBox::SetMaxLength(int n) {
  Touch();
  maxLength_ = n;
  if (hwnd_) SendMessageA(hwnd_, EM_LIMITTEXT, n, 0);
}
void TextBox::SelectAll() {
  Touch();
  if (hwnd_) SendMessageA(hwnd_, EM_SETSEL, 0, -1);
}

void TextBox::OnCommand(int code) {
  if (code == EN_CHANGE) Raise(Change);
  else if (code == EN_SETFOCUS) Raise(GotFocus);
  else if (code == EN_KILLFOCUS) Raise(LostFocus);
}

// ---------------------------------------------------------------- CommandButton

DWORD CommandButton::WindowStyle() const {
  return WS_TABSTOP | ((def_.style & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void CommandButton::OnCommand(int code) {
  if (code == BN_CLICKED) Raise(Click);
}

// ---------------------------------------------------------------- CheckBox

DWORD CheckBox::WindowStyle() const { return WS_TABSTOP | BS_3STATE; }
void CheckBox::ResetKindState() { value_ = def_.value; }
void CheckBox::AfterCreate() { SendMessageA(hwnd_, BM_SETCHECK, value_, 0); }

int CheckBox::Value() { Touch(); return value_; }

void CheckBox::SetValue(int v) {
  Touch();
  if (v < 0 || v > 2) v = v ? 1 : 0;
  if (v == value_) return;
  value_ = v;
  if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, v, 0);
  Raise(Click);
}

void CheckBox::UserClick() { SetValue(Value() == 1 ? 0 : 1); }

void CheckBox::OnCommand(int code) {
  if (code == BN_CLICKED) UserClick();
}

// ---------------------------------------------------------------- OptionButton

DWORD OptionButton::WindowStyle() const { return WS_TABSTOP | BS_RADIOBUTTON; }
void OptionButton::ResetKindState() { value_ = def_.value != 0; }
void OptionButton::AfterCreate() { SendMessageA(hwnd_, BM_SETCHECK, value_ ? 1 : 0, 0); }

bool OptionButton::Value() { Touch(); return value_; }

void OptionButton::SetValue(bool v) {
  Touch();
  value_ = v;
  if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, v ? 1 : 0, 0);
  if (!v) return;
  for (int i = 0; i < form_->ControlCount(); ++i) {
    Control& other = form_->Controls(i);
    if (&other == this || other.kind() != Kind::OptionButton || other.Container() != container_)
      continue;
    auto& option = static_cast<OptionButton&>(other);
    if (option.value_) {
      option.value_ = false;
      if (option.hwnd_) SendMessageA(option.hwnd_, BM_SETCHECK, 0, 0);
    }
  }
  Raise(Click);
}

void OptionButton::OnCommand(int code) {
  if (code == BN_CLICKED) UserClick();
}

// ---------------------------------------------------------------- pictures

namespace {

void DrawPicture(const DRAWITEMSTRUCT& item, int resourceId, bool stretch) {
  if (!resourceId) return;
  HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION));
  if (!bmp) return;
  BITMAP info{};
  GetObjectA(bmp, sizeof(info), &info);
  HDC mem = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(mem, bmp);
  int w = stretch ? item.rcItem.right - item.rcItem.left : info.bmWidth;
  int h = stretch ? item.rcItem.bottom - item.rcItem.top : info.bmHeight;
  if (info.bmBitsPixel == 32) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(item.hDC, item.rcItem.left, item.rcItem.top, w, h, mem, 0, 0, info.bmWidth,
               info.bmHeight, blend);
  } else {
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top, w, h, mem, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
}

void FillBack(const DRAWITEMSTRUCT& item, HWND parent) {
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(item.hDC),
                   reinterpret_cast<LPARAM>(item.hwndItem)));
  FillRect(item.hDC, &item.rcItem, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

DWORD PictureBox::WindowStyle() const {
  DWORD s = SS_NOTIFY | SS_OWNERDRAW;
  if (def_.style & kBorder) s |= WS_BORDER;
  return s;
}

void PictureBox::SetPicture(int resourceId) {
  Touch();
  picture_ = resourceId;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  HBRUSH brush = back_ != kDefaultColor ? CreateSolidBrush(back_) : nullptr;
  FillRect(item.hDC, &item.rcItem, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (brush) DeleteObject(brush);
  DrawPicture(item, picture_, false);
}

void PictureBox::OnCommand(int code) {
  if (code == STN_CLICKED) Raise(Click);
  else if (code == STN_DBLCLK) Raise(DblClick);
}

void Image::ResetKindState() {
  stretch_ = (def_.style & kStretch) != 0;
  picture_ = def_.picture;
}

bool Image::Stretch() { Touch(); return stretch_; }
void Image::SetStretch(bool v) {
  Touch();
  stretch_ = v;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}
int Image::Picture() { Touch(); return picture_; }
void Image::SetPicture(int resourceId) {
  Touch();
  picture_ = resourceId;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Image::OnDrawItem(const DRAWITEMSTRUCT& item) {
  FillBack(item, GetParent(item.hwndItem));
  DrawPicture(item, picture_, stretch_);
}

void Image::OnCommand(int code) {
  if (code == STN_CLICKED) Raise(Click);
  else if (code == STN_DBLCLK) Raise(DblClick);
}

// ---------------------------------------------------------------- Line

void Line::ResetKindState() {
  x1_ = def_.rect.left;
  y1_ = def_.rect.top;
  x2_ = def_.rect.width;
  y2_ = def_.rect.height;
  SyncRect();
}

void Line::SyncRect() {
  float px = TwipsPerPixel();
  rect_.left = std::min(x1_, x2_);
  rect_.top = std::min(y1_, y2_);
  rect_.width = std::max(std::fabs(x2_ - x1_), px);
  rect_.height = std::max(std::fabs(y2_ - y1_), px);
}

float Line::X1() { Touch(); return x1_; }
float Line::Y1() { Touch(); return y1_; }
float Line::X2() { Touch(); return x2_; }
float Line::Y2() { Touch(); return y2_; }

void Line::SetPoints(float x1, float y1, float x2, float y2) {
  Touch();
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  SyncRect();
  ApplyGeometry();
}

void Line::OnDrawItem(const DRAWITEMSTRUCT& item) {
  FillBack(item, GetParent(item.hwndItem));
  HPEN pen = CreatePen(PS_SOLID, 1, Resolve(fore_, COLOR_BTNSHADOW));
  HGDIOBJ old = SelectObject(item.hDC, pen);
  int w = item.rcItem.right - 1, h = item.rcItem.bottom - 1;
  bool down = (x2_ - x1_) * (y2_ - y1_) >= 0;
  MoveToEx(item.hDC, 0, down ? 0 : h, nullptr);
  LineTo(item.hDC, w, down ? h : 0);
  SetPixel(item.hDC, w, down ? h : 0, Resolve(fore_, COLOR_BTNSHADOW));
  SelectObject(item.hDC, old);
  DeleteObject(pen);
}

// ---------------------------------------------------------------- Timer

int Timer::Interval() { Touch(); return interval_; }
void Timer::SetInterval(int ms) {
  Touch();
  interval_ = ms;
  Arm();
}
void Timer::Arm() { form_->ArmTimer(*this); }

// ---------------------------------------------------------------- VScrollBar

void VScrollBar::ResetKindState() {
  value_ = def_.value;
  min_ = def_.min;
  max_ = def_.max ? def_.max : 32767;
  small_ = def_.smallChange;
  large_ = def_.largeChange;
}

void VScrollBar::AfterCreate() { SyncRange(); }

void VScrollBar::SyncRange() {
  if (!hwnd_) return;
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL, std::min(min_, max_),
                std::max(min_, max_), 0, value_, 0};
  SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

int VScrollBar::Value() { Touch(); return value_; }
void VScrollBar::SetValue(int v) {
  Touch();
  int lo = std::min(min_, max_), hi = std::max(min_, max_);
  v = std::clamp(v, lo, hi);
  if (v == value_) return;
  value_ = v;
  SyncRange();
  Raise(Change);
}
int VScrollBar::Min() { Touch(); return min_; }
int VScrollBar::Max() { Touch(); return max_; }
void VScrollBar::SetMin(int v) {
  Touch();
  min_ = v;
  value_ = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
  SyncRange();
}
void VScrollBar::SetMax(int v) {
  Touch();
  max_ = v;
  value_ = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
  SyncRange();
}

void VScrollBar::OnScroll(int code, int pos) {
  int lo = std::min(min_, max_), hi = std::max(min_, max_);
  int v = value_;
  switch (code) {
    case SB_LINEUP: v -= small_; break;
    case SB_LINEDOWN: v += small_; break;
    case SB_PAGEUP: v -= large_; break;
    case SB_PAGEDOWN: v += large_; break;
    case SB_TOP: v = lo; break;
    case SB_BOTTOM: v = hi; break;
    case SB_THUMBTRACK: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd_, SB_CTL, &si);
      value_ = std::clamp(si.nTrackPos, lo, hi);
      SyncRange();
      Raise(Scroll);
      return;
    }
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof(si);
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd_, SB_CTL, &si);
      v = si.nTrackPos;
      break;
    }
    default: return;
  }
  v = std::clamp(v, lo, hi);
  if (v != value_) SetValue(v);
}

// ---------------------------------------------------------------- lists

void ListControl::ResetKindState() {
  items_.clear();
  data_.clear();
  listIndex_ = -1;
}

void ListControl::AfterCreate() {
  for (const auto& item : items_) SendMessageA(hwnd_, Msg(LB_ADDSTRING), 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (listIndex_ >= 0) SendMessageA(hwnd_, Msg(LB_SETCURSEL), listIndex_, 0);
}

void ListControl::AddItem(const std::string& item) {
  Touch();
  int at = static_cast<int>(items_.size());
  if (def_.style & kSorted) {
    at = 0;
    while (at < static_cast<int>(items_.size()) && lstrcmpiA(items_[at].c_str(), item.c_str()) <= 0) ++at;
  }
  items_.insert(items_.begin() + at, item);
  data_.insert(data_.begin() + at, 0);
  if (listIndex_ >= at) ++listIndex_;
  if (hwnd_) SendMessageA(hwnd_, Msg(LB_INSERTSTRING), at, reinterpret_cast<LPARAM>(item.c_str()));
}

void ListControl::RemoveItem(int index) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size()))
    return ProgrammingError("list index " + std::to_string(index) + " of " + std::to_string(items_.size()));
  items_.erase(items_.begin() + index);
  data_.erase(data_.begin() + index);
  if (listIndex_ == index) listIndex_ = -1;
  else if (listIndex_ > index) --listIndex_;
  if (hwnd_) SendMessageA(hwnd_, Msg(LB_DELETESTRING), index, 0);
}

void ListControl::Clear() {
  Touch();
  items_.clear();
  data_.clear();
  listIndex_ = -1;
  if (hwnd_) SendMessageA(hwnd_, Msg(LB_RESETCONTENT), 0, 0);
}

int ListControl::ListCount() { Touch(); return static_cast<int>(items_.size()); }

std::string ListControl::List(int index) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) return "";
  return items_[index];
}

int ListControl::ListIndex() { Touch(); return listIndex_; }

void ListControl::SetListIndex(int index) {
  Touch();
  if (index < -1 || index >= static_cast<int>(items_.size()))
    return ProgrammingError("list index " + std::to_string(index) + " of " + std::to_string(items_.size()));
  listIndex_ = index;
  if (hwnd_) SendMessageA(hwnd_, Msg(LB_SETCURSEL), index, 0);
  if (index >= 0) caption_ = items_[index];
  Raise(Click);
}

int ListControl::ItemData(int index) {
  Touch();
  return index >= 0 && index < static_cast<int>(data_.size()) ? data_[index] : 0;
}

void ListControl::SetItemData(int index, int data) {
  Touch();
  if (index >= 0 && index < static_cast<int>(data_.size())) data_[index] = data;
}

DWORD ComboBox::WindowStyle() const {
  DWORD s = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
  s |= (def_.style & kDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  return s;
}

int ComboBox::CreateHeightPx() const { return ToPixels(rect_.height) + 200; }

UINT ComboBox::Msg(UINT m) const {
  switch (m) {
    case LB_ADDSTRING: return CB_ADDSTRING;
    case LB_INSERTSTRING: return CB_INSERTSTRING;
    case LB_DELETESTRING: return CB_DELETESTRING;
    case LB_RESETCONTENT: return CB_RESETCONTENT;
    case LB_SETCURSEL: return CB_SETCURSEL;
    default: return m;
  }
}

std::string ComboBox::Caption() {
  Touch();
  if (hwnd_) caption_ = WindowText(hwnd_);
  return caption_;
}

void ComboBox::SetCaption(const std::string& text) {
  Touch();
  caption_ = text;
  if (hwnd_ && !(def_.style & kDropDownList)) SetWindowTextA(hwnd_, text.c_str());
}

void ComboBox::OnCommand(int code) {
  if (code == CBN_SELCHANGE) {
    listIndex_ = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    if (listIndex_ >= 0 && listIndex_ < static_cast<int>(items_.size())) caption_ = items_[listIndex_];
    Raise(Click);
  } else if (code == CBN_EDITCHANGE) {
    Raise(Change);
  }
}

DWORD ListBox::WindowStyle() const {
  return WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
}

UINT ListBox::Msg(UINT m) const { return m; }

std::string ListBox::Text() {
  Touch();
  return listIndex_ >= 0 ? items_[listIndex_] : "";
}

void ListBox::OnCommand(int code) {
  if (code == LBN_SELCHANGE) {
    listIndex_ = static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
    Raise(Click);
  } else if (code == LBN_DBLCLK) {
    Raise(DblClick);
  }
}

// ---------------------------------------------------------------- Menu

bool Menu::Checked() { Touch(); return checked_; }
void Menu::SetChecked(bool v) {
  Touch();
  checked_ = v;
  form_->RebuildMenu();
}
std::string Menu::Caption() { Touch(); return caption_; }
void Menu::SetCaption(const std::string& text) {
  Touch();
  caption_ = text;
  form_->RebuildMenu();
}

}  // namespace ui
