#pragma once
// A record of a window's paints: when each WM_PAINT came (by a clock the caller gives) and
// the window's text at that moment. For tests and benchmarks that check that a long
// operation paints at a bounded rate.
//
//   PaintLog log(page.Text4->hWnd(), [] { return GetTickCount(); });
//   page.Command22_Click();
//   for (const PaintLog::Paint& p : log.Paints()) ...
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class PaintLog {
 public:
  struct Paint {
    DWORD at = 0;
    std::string text;
  };
  PaintLog(HWND window, std::function<DWORD()> now);
  ~PaintLog();
  PaintLog(const PaintLog&) = delete;
  PaintLog& operator=(const PaintLog&) = delete;

  const std::vector<Paint>& Paints() const { return paints_; }
  void Clear() { paints_.clear(); }
  // The smallest time between two consecutive paints among paints [first, last); -1 when
  // there are fewer than two.
  long SmallestGap(size_t first, size_t last) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_;
  std::function<DWORD()> now_;
  std::vector<Paint> paints_;
};
