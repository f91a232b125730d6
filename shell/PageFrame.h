#pragma once
// The frame every tool page shares: a widget of the main window opens the page over the
// hidden main window, and the main window comes back when the page goes.
#include <span>

#include "ui/form.h"

// A tool page opened from the main window. Its Form_Unload shows the main window again,
// whichever way the page was closed (close button, close box).
class Page : public ui::Form {
 public:
  using ui::Form::Form;

 protected:
  void Form_Unload(int& cancel) override;
};

// Click sound, main window hidden, page shown modeless with the main window as owner.
void OpenPage(ui::Form& page);

// The main window shown (modeless, no owner) and refreshed.
void ReturnToMainWindow();

// The close-and-return button: unloads the page, then shows the main window.
void CloseAndReturn(ui::Form& page);

// One line of a page's LoadCaptions: a control (an array element when index >= 0) and the
// string-table ids of its caption and tool tip. String 0 is a real entry; kNoText sets
// nothing.
inline constexpr int kNoText = -1;
struct CaptionLine {
  struct Target {
    const char* name = "";
    int index = -1;
  } control;
  int caption = kNoText;
  int tip = kNoText;
};

// Sets the window caption and every line's caption and tool tip from the string table. An
// entry that is missing or empty leaves its property as designed; a control the page lacks
// is passed over.
void LoadPageCaptions(ui::Form& page, int windowCaption, std::span<const CaptionLine> lines);
