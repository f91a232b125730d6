#pragma once
// A browser of the shell's namespace inside a form: it shows the folder that an item-ID list
// names as Explorer shows it (files, drives, control-panel items ...), and keeps a back and
// forward history for as long as its form is loaded. It has no font; scaling moves and
// sizes it like any other control.
//
//   {.kind = ui::Kind::Custom, .name = "ShellBrowser", .rect = {...},
//    .customClass = ui::kFolderBrowserClass}
//   ShellBrowser->Navigate2(bytesOfTheList);
//   ShellBrowser->GoBack();
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/controls.h"

namespace ui {

inline constexpr const char* kFolderBrowserClass = "FolderBrowser";

class FolderBrowser : public Control {
 public:
  FolderBrowser(Form* form, const Def& def);
  ~FolderBrowser() override;

  bool HasFont() const override { return false; }

  // Shows the folder whose item-ID list the bytes hold: the whole list, its terminator
  // included, and nothing after it. The browser keeps its own copy. E_INVALIDARG for bytes
  // that are not exactly one list (nothing changes then); otherwise the shell's result.
  HRESULT Navigate2(const std::vector<uint8_t>& list);
  // One step back or forward in the history; a failure (nothing there) changes nothing.
  HRESULT GoBack();
  HRESULT GoForward();
  // The item-ID list of the folder shown, as Navigate2 takes it; empty before the first
  // navigation of this load.
  std::vector<uint8_t> LocationIDList();

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override { return WS_CLIPCHILDREN; }
  // Tab and the arrow keys reach the shell's view inside.
  DWORD WindowExStyle() const override { return WS_EX_CONTROLPARENT; }
  void AfterCreate() override;

 private:
  struct Host;
  Host* host();  // the browser of the current window, or null
  HRESULT Browse(const void* list, UINT flags);
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// True when the bytes hold exactly one item-ID list: items whose 16-bit counts (each at
// least 2) stay inside the bytes, then a terminator of two zero bytes that ends them.
bool IsWholeItemIDList(const std::vector<uint8_t>& bytes);

}  // namespace ui
