#include "ui/HyperLink.h"

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/launcher.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "ui/form.h"

namespace ui {
namespace {

constexpr char kWindowClass[] = "QuenvorHyperLink";
constexpr COLORREF kLinkColor = RGB(0, 102, 204);  // the usual link blue

bool EndsWithNoCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - end.size(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

// The file to open and its parameters: the target's first word and the rest. A
// control-panel item is opened by control.exe, the way Windows opens it itself.
std::pair<std::string, std::string> FileAndParameters(const std::string& target) {
  const size_t blank = target.find(' ');
  std::string file = target.substr(0, blank);
  std::string parameters = blank == std::string::npos ? "" : target.substr(blank + 1);
  if (EndsWithNoCase(file, ".cpl")) return {"control.exe", target};
  return {file, parameters};
}

}  // namespace

HyperLink::HyperLink(Form* form, const Def& def) : Control(form, def) {}

HyperLink::~HyperLink() {
  if (underlined_) DeleteObject(underlined_);
}

const char* HyperLink::WindowClass() const {
  return RegisterControlClass(kWindowClass, WndProc, IDC_HAND);
}

void HyperLink::ResetKindState() {
  target_.clear();
  program_ = false;
  nativeSystemFolders_ = false;
  pressed_ = false;
}

void HyperLink::AfterCreate() {
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The font arrived before the window knew its control.
  SetFontFrom(reinterpret_cast<HFONT>(form_->FontFor(fontSize_, bold_, def_.fontName)));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string HyperLink::Target() { Touch(); return target_; }
void HyperLink::SetTarget(const std::string& address) {
  Touch();
  target_ = address;
  program_ = false;
  nativeSystemFolders_ = false;
}

void HyperLink::SetProgramTarget(const std::string& target, bool nativeSystemFolders) {
  Touch();
  target_ = target;
  program_ = true;
  nativeSystemFolders_ = nativeSystemFolders;
}

void HyperLink::PerformClick() {
  Touch();
  if (!target_.empty()) {
    if (program_) StartProgram();
    else platform::webBrowser().Open(target_);
  }
  Raise(Click);
}

void HyperLink::StartProgram() {
  const auto [file, parameters] = FileAndParameters(target_);
  const platform::LaunchResult result = platform::launcher().Open(file, parameters, nativeSystemFolders_);
  if (result.started || !StartFailed || Creating()) return;
  StartFailed(caption_ + " (" + target_ + ") could not be started:\r\n\r\n" +
              platform::SystemErrorText(result.error));
}

void HyperLink::SetFontFrom(HFONT font) {
  font_ = font;
  if (underlined_) DeleteObject(underlined_);
  underlined_ = nullptr;
  LOGFONTA lf{};
  if (font && GetObjectA(font, sizeof lf, &lf)) {
    lf.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectA(&lf);
  }
}

void HyperLink::Paint(HDC dc, const RECT& r) {
  HBRUSH back = back_ != kDefaultColor ? CreateSolidBrush(back_) : nullptr;
  FillRect(dc, &r, back ? back : GetSysColorBrush(COLOR_BTNFACE));
  if (back) DeleteObject(back);
  SetBkMode(dc, TRANSPARENT);
  COLORREF link = fore_ != kDefaultColor ? fore_ : kLinkColor;
  if (!enabled_) link = GetSysColor(COLOR_GRAYTEXT);
  SetTextColor(dc, link);
  HGDIOBJ old = SelectObject(dc, underlined_ ? underlined_ : GetStockObject(DEFAULT_GUI_FONT));
  RECT text = r;
  DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
  text.bottom = r.bottom;
  text.top = r.top;
  if (text.right > r.right) text.right = r.right;
  DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (GetFocus() == hwnd_) DrawFocusRect(dc, &text);
  SelectObject(dc, old);
}

// The click goes to the form as a control's notification, so that its handler runs as
// every other control's does (the form may unload meanwhile).
void HyperLink::NotifyClicked(HWND hwnd) {
  SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd));
}

void HyperLink::OnCommand(int code) {
  if (code == STN_CLICKED) PerformClick();
}

LRESULT HyperLink::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      Paint(dc, r);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      SetFontFrom(reinterpret_cast<HFONT>(wParam));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd);
      if (GetFocus() != hwnd) ::SetFocus(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      RECT r;
      GetClientRect(hwnd, &r);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (PtInRect(&r, p)) NotifyClicked(hwnd);  // released where it was pressed
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS;
    case WM_KEYDOWN:
      // Space opens the link, once per press (not on the keyboard's repeats).
      if (wParam == VK_SPACE && !(lParam & (1 << 30))) {
        NotifyClicked(hwnd);
        return 0;
      }
      break;
    case WM_CHAR:
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HyperLink::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<HyperLink*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  // A window of an unloaded form may live on until no handler is on the stack.
  if (self && self->window() == hwnd)
    return AtWindowProcedure([&] { return self->Handle(hwnd, message, wParam, lParam); }, 0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace ui
