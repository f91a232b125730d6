#pragma once
// The main window's mouse wheel: while the main window is the active form, its window
// procedure is wrapped so that WM_MOUSEWHEEL reaches FrmMain::MouseWheel.
// (The module was called Module7.)
#include <windows.h>

class FrmMain;

void HookMouseWheel(FrmMain& form);
void UnhookMouseWheel();
LRESULT CALLBACK WheelWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The form whose wheel is hooked, or nullptr.
FrmMain* MouseWheelHookedForm();
