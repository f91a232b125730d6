#pragma once
// Our hyperlink label: a window of its own class that shows its caption underlined in the
// link colour with a hand cursor, and opens its target when clicked or when Space is pressed
// while it has the focus: a web address through platform::webBrowser(), or a program
// through platform::launcher(). The caption reads back with WM_GETTEXT.
//
//   {.kind = ui::Kind::Custom, .name = "Link1", .rect = {...}, .caption = "Home page",
//    .customClass = ui::kHyperLinkClass}
//   Link1->SetTarget("https://quenvor.example/");
//   Link2->SetProgramTarget("control.exe system", Is64BitWindows());
//   Link2->StartFailed = [](const std::string& message) { MsgBox(message, MB_OK | MB_ICONEXCLAMATION); };
#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui {

inline constexpr const char* kHyperLinkClass = "HyperLink";

class HyperLink : public Control {
 public:
  HyperLink(Form* form, const Def& def);
  ~HyperLink() override;

  // The target opened on a click; "" opens nothing. Not part of the design: set it after
  // each load.
  std::string Target();
  // A web address.
  void SetTarget(const std::string& address);
  // A program: its name, alone or followed by its arguments ("winver.exe", "control.exe
  // system"), a control-panel item ("appwiz.cpl", opened by control.exe with the item as
  // its argument) or a document such as a console file ("compmgmt.msc"). With
  // `nativeSystemFolders` it is looked for in the native System32 of 64-bit Windows.
  void SetProgramTarget(const std::string& target, bool nativeSystemFolders);
  // What a user's click does: opens the target, then raises Click.
  void PerformClick();
  void OnCommand(int code) override;

  // Raised when a program target could not be started, with a message that names the
  // link, its target and the system's reason; the form shows it.
  std::function<void(const std::string& message)> StartFailed;

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

  void StartProgram();

  std::string target_;
  bool program_ = false;  // the target is a program, not a web address
  bool nativeSystemFolders_ = false;
  HFONT font_ = nullptr;       // the font the form gave, as WM_GETFONT returns it
  HFONT underlined_ = nullptr;  // the same, underlined; ours to delete
  bool pressed_ = false;
};

}  // namespace ui
