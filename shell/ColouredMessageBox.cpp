#include "shell/ColouredMessageBox.h"

#include <string_view>

#include "platform/dialogs.h"

namespace {

constexpr const char* kOrigProcProperty = "OrigWindowProc";
// The colour messages: 0x131 (unnamed) and WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC.
constexpr UINT kFirstColourMessage = 0x131;
constexpr UINT kLastColourMessage = WM_CTLCOLORSTATIC;

COLORREF textColour = 0;
COLORREF backColour = 0;
COLORREF editTextColour = 0;
COLORREF editBackColour = 0;

HHOOK hook = nullptr;
HBRUSH backBrush = nullptr;
HBRUSH editBrush = nullptr;
// The dialog being coloured; the brushes live exactly as long as it is set.
HWND colouredWindow = nullptr;

bool IsDialogWindow(HWND window) {
  char name[128] = {};
  int length = GetClassNameA(window, name, sizeof name);
  if (length <= 0) return false;
  return std::string_view(name, length).find("#32770") != std::string_view::npos;
}

void StartColouring(HWND window) {
  backBrush = CreateSolidBrush(backColour);
  editBrush = CreateSolidBrush(editBackColour);
  LONG previous = SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(&DialogWndProc));
  SetPropA(window, kOrigProcProperty, reinterpret_cast<HANDLE>(previous));
  colouredWindow = window;
}

void StopColouring(HWND window) {
  if (auto previous = GetPropA(window, kOrigProcProperty)) {
    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(previous));
  }
  RemovePropA(window, kOrigProcProperty);
  colouredWindow = nullptr;
  if (hook) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  if (backBrush) DeleteObject(backBrush);
  if (editBrush) DeleteObject(editBrush);
  backBrush = nullptr;
  editBrush = nullptr;
}

}  // namespace

void ColorNextDialog(COLORREF text, COLORREF back, COLORREF editText, COLORREF editBack) {
  textColour = text;
  backColour = back;
  editTextColour = editText;
  editBackColour = editBack;
  if (!hook) {
    hook = SetWindowsHookExA(WH_CALLWNDPROC, DialogHookProc, nullptr, GetCurrentThreadId());
  }
}

LRESULT CALLBACK DialogHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == WM_CREATE) {
      // While a dialog is coloured, a further one keeps the system's colours.
      if (!colouredWindow && IsDialogWindow(sent->hwnd)) StartColouring(sent->hwnd);
    } else if (sent->message == WM_DESTROY) {
      if (colouredWindow && sent->hwnd == colouredWindow) StopColouring(sent->hwnd);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK DialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, kOrigProcProperty));
  if (message >= kFirstColourMessage && message <= kLastColourMessage) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    bool edit = message == WM_CTLCOLOREDIT;
    SetTextColor(dc, edit ? editTextColour : textColour);
    HBRUSH brush = edit ? editBrush : backBrush;
    if (brush) return reinterpret_cast<LRESULT>(brush);
  }
  if (previous) return CallWindowProcA(previous, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

int MsgBox(const std::string& text, UINT style, const std::string& title, HWND owner) {
  ColorNextDialog(RGB(0, 0, 0), MsgBoxShade(), RGB(0, 0, 0), MsgBoxShade());
  return platform::dialogs().MessageBox(owner, text, title, style);
}

bool DialogColoringArmed() { return hook != nullptr; }

void DisarmDialogColoring() {
  if (!hook || colouredWindow) return;
  UnhookWindowsHookEx(hook);
  hook = nullptr;
}
