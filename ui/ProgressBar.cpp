#include "ui/ProgressBar.h"

#include <algorithm>

#include "ui/form.h"

namespace ui {
namespace {

constexpr char kWindowClass[] = "QuenvorProgressBar";

}  // namespace

ProgressBar::ProgressBar(Form* form, const Def& def) : Control(form, def) {}

const char* ProgressBar::WindowClass() const {
  return RegisterControlClass(kWindowClass, WndProc, IDC_ARROW);
}

void ProgressBar::ResetKindState() {
  max_ = def_.max ? def_.max : 100;
  value_ = def_.value;
}

void ProgressBar::AfterCreate() {
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

double ProgressBar::Max() { Touch(); return max_; }
void ProgressBar::SetMax(double max) {
  Touch();
  max_ = max;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}
double ProgressBar::Value() { Touch(); return value_; }
void ProgressBar::SetValue(double value) {
  Touch();
  value_ = value;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

double ProgressBar::Percent() {
  Touch();
  return max_ > 0 ? value_ / max_ * 100.0 : 0.0;
}

void ProgressBar::Paint(HDC dc, const RECT& r) {
  double share = max_ > 0 ? std::clamp(value_ / max_, 0.0, 1.0) : 0.0;
  RECT filled = r;
  filled.right = r.left + static_cast<LONG>((r.right - r.left) * share + 0.5);
  RECT rest = r;
  rest.left = filled.right;
  HBRUSH bar = CreateSolidBrush(fore_ != kDefaultColor ? fore_ : RGB(46, 125, 210));
  FillRect(dc, &filled, bar);
  DeleteObject(bar);
  FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, form_->FontFor(fontSize_, bold_, def_.fontName));
  RECT text = r;
  // The text reads in white over the bar and in the window text colour beside it.
  SetTextColor(dc, RGB(255, 255, 255));
  HRGN clip = CreateRectRgnIndirect(&filled);
  SelectClipRgn(dc, clip);
  DrawTextA(dc, caption_.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetRectRgn(clip, rest.left, rest.top, rest.right, rest.bottom);
  SelectClipRgn(dc, clip);
  DrawTextA(dc, caption_.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK ProgressBar::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ProgressBar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    if (self && self->window() == hwnd) self->Paint(dc, r);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace ui
