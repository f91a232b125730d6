#pragma once
// Our progress bar: a window of its own class that draws the bar with a text on it.
// The text reads back with WM_GETTEXT.
//
//   {.kind = ui::Kind::Custom, .name = "Bar1", .rect = {...}, .customClass = ui::kProgressBarClass}
#include "ui/controls.h"

namespace ui {

inline constexpr const char* kProgressBarClass = "ProgressBar";

class ProgressBar : public Control {
 public:
  ProgressBar(Form* form, const Def& def);

  double Max();
  void SetMax(double max);
  double Value();
  void SetValue(double value);
  std::string Text() { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  // The value's share of the maximum, times 100; 0 when the maximum is 0.
  double Percent();

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override { return 0; }
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
  void ResetKindState() override;
  void AfterCreate() override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& r);
  double max_ = 100;
  double value_ = 0;
};

}  // namespace ui
