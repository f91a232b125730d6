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

// One line of a form's caption loader: a control (an element of a control array, or a
// single control with index -1) and the string-table ids of its caption and tool tip (0:
// none).
struct CaptionLine {
  struct Name {
    const char* name = nullptr;
    int index = -1;
  } control;
  int caption = 0;
  int tip = 0;
};

// Sets the control's caption and tool tip from the string table (0: leave it); a text the
// table lacks leaves the design's.
void SetCaptionAndTip(ui::Control& control, int caption, int tip);

// The caption loader every form runs first on load: the window caption (0: none), then the
// caption and tool tip of each line's control. A text the string table lacks, or a control
// the form lacks, is left as designed.
void LoadCaptionLines(ui::Form& form, int windowCaption, std::span<const CaptionLine> lines);
