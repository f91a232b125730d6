#pragma once
// Layout scaling: forms are designed for a 1024 x 768 screen. On a wider screen a form's
// controls and the form itself are enlarged by screen width / 1024 and screen height / 768
// (or shrunk by the inverse factors at 144 DPI and more).
// (The module was called Module6.)
#include <cstdint>

#include "ui/form.h"

// Written by every scaler; DpiIsNormal only by the page scaler.
inline bool DpiIsNormal = false;
inline bool ResizeFormToo = false;
inline int16_t TwipsPerPixelX = 0;
inline int16_t ScreenWidthPx = 0;
inline int16_t ScreenHeightPx = 0;
inline int16_t DesignWidthPx = 0;
inline int16_t DesignHeightPx = 0;

// Scales every control of frm (and frm itself while ResizeFormToo) by sx and sy.
void ResizeControls(float sx, float sy, ui::Form& frm);

// The page scaler behind each page's public Resize<Page> (LoadResize on the main window,
// which works in points: ScaleMode 2).
void ScalePageToScreen(ui::Form& frm, int scaleMode = 1);

// The dialog scaler: the same without refreshing DpiIsNormal.
void ScaleDialogToScreen(ui::Form& frm);
