#pragma once
#include <windows.h>

// Colours the next dialog window of class "#32770" that this thread creates, once.
void ColorNextDialog(COLORREF text, COLORREF back, COLORREF editText, COLORREF editBack);
