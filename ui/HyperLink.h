#pragma once
// Our hyperlink label: a window of its own class that shows its caption underlined in the
// link colour with a hand cursor, and opens its target (a web address) through
// platform::webBrowser() when clicked or when Space is pressed while it has the focus.
// The caption reads back with WM_GETTEXT.
//
//   {.kind = ui::Kind::Custom, .name = "Link1", .rect = {...}, .caption = "Home page",
//    .customClass = ui::kHyperLinkClass}
//   Link1->SetTarget("https://quenvor.example/");
#include <string>

#include "ui/controls.h"

namespace ui {

inline constexpr const char* kHyperLinkClass = "HyperLink";

class HyperLink : public Control {
 public:
  HyperLink(Form* form, const Def& def);
  ~HyperLink() override;

  // The address opened on a click; "" opens nothing. Not part of the design: set it after
  // each load.
  std::string Target();
  void SetTarget(const std::string& address);
  // What a user's click does: opens the target, then raises Click.
  void PerformClick();
  void OnCommand(int code) override;

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override { return WS_TABSTOP; }
  void ResetKindState() override;
  void AfterCreate() override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& r);
  void SetFontFrom(HFONT font);
  static void NotifyClicked(HWND hwnd);

  std::string target_;
  HFONT font_ = nullptr;       // the font the form gave, as WM_GETFONT returns it
  HFONT underlined_ = nullptr;  // the same, underlined; ours to delete
  bool pressed_ = false;
};

}  // namespace ui
