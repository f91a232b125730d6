#include "shell/MouseWheel.h"

#include <cmath>

#include "shell/frmmain.h"

namespace {

FrmMain* g_form = nullptr;
HWND g_window = nullptr;
LONG_PTR g_previous = 0;

}  // namespace

void HookMouseWheel(FrmMain& form) {
  if (g_form) UnhookMouseWheel();  // never wrap a window twice
  g_form = &form;
  g_window = form.hWnd();
  g_previous = SetWindowLongA(g_window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(WheelWndProc));
}

void UnhookMouseWheel() {
  if (g_window && g_previous && IsWindow(g_window)) SetWindowLongA(g_window, GWL_WNDPROC, g_previous);
  g_form = nullptr;
  g_window = nullptr;
  g_previous = 0;
}

FrmMain* MouseWheelHookedForm() { return g_form; }

LRESULT CALLBACK WheelWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(g_previous);
  if (message == WM_MOUSEWHEEL && g_form) {
    const auto w = static_cast<int32_t>(wParam), l = static_cast<int32_t>(lParam);
    ui::AtWindowProcedure([&]() -> LRESULT {
      g_form->MouseWheel(w & 0xFFFF, static_cast<int32_t>(std::nearbyint(w / 65536.0)), l & 0xFFFF,
                         static_cast<int32_t>(std::nearbyint(l / 65536.0)));
      return 0;
    }, 0);
  }
  if (message == WM_NCDESTROY && hwnd == g_window) {
    LRESULT r = CallWindowProcA(previous, hwnd, message, wParam, lParam);
    UnhookMouseWheel();
    return r;
  }
  return previous ? CallWindowProcA(previous, hwnd, message, wParam, lParam)
                  : DefWindowProcA(hwnd, message, wParam, lParam);
}
