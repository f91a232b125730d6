#include "paint_log.h"

#include <map>

namespace {

struct Logged {
  PaintLog* log;
  WNDPROC previous;
};

// By window. A plain subclass with the lookup in the process: the common controls' own
// subclassing asks the window for a property at every message, which under Wine is a
// request to the server and made a list's every row insert several times slower.
std::map<HWND, Logged>& LoggedWindows() {
  static std::map<HWND, Logged> windows;
  return windows;
}

}  // namespace

PaintLog::PaintLog(HWND window, std::function<DWORD()> now) : window_(window), now_(std::move(now)) {
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  LoggedWindows()[window_] = {this, previous};
}

PaintLog::~PaintLog() {
  auto found = LoggedWindows().find(window_);
  if (found == LoggedWindows().end()) return;
  if (IsWindow(window_) && GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc))
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.previous));
  LoggedWindows().erase(found);
}

long PaintLog::SmallestGap(size_t first, size_t last) const {
  long smallest = -1;
  for (size_t i = first + 1; i < last && i < paints_.size(); ++i) {
    const long gap = static_cast<long>(paints_[i].at - paints_[i - 1].at);
    if (smallest < 0 || gap < smallest) smallest = gap;
  }
  return smallest;
}

LRESULT CALLBACK PaintLog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto found = LoggedWindows().find(window);
  if (found == LoggedWindows().end()) return DefWindowProcA(window, message, wParam, lParam);
  const Logged logged = found->second;
  if (message == WM_PAINT) {
    char text[64]{};
    GetWindowTextA(window, text, sizeof text);
    logged.log->paints_.push_back({logged.log->now_(), text});
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(logged.previous));
    LoggedWindows().erase(found);
  }
  return CallWindowProcA(logged.previous, window, message, wParam, lParam);
}
