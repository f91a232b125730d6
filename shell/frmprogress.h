#pragma once
// The progress window: one bar that a page drives through a long loop. The caption is
// the progress text. Callers: Show, Caption, ProgressBar1 Max, Value + 1 per step (or
// Advance), Unload.
#include <string>

#include <windows.h>

#include "ui/ProgressBar.h"
#include "ui/form.h"

class FrmProgress : public ui::Form {
 public:
  FrmProgress();
  ui::Ctl<ui::ProgressBar> ProgressBar1{this, "ProgressBar1"};

  // Raises the bar's value by 1. A loop that runs on the user-interface thread without
  // turning the message loop still shows its progress: the window repaints itself here,
  // at most every kRepaintMs and at the last step.
  void Advance();
  static constexpr DWORD kRepaintMs = 50;

  // What the window showed when it last closed, and how often it has closed: once it is
  // gone its bar is back at its design, so whoever wants to know how far a run got asks
  // here.
  struct Closing {
    std::string caption;
    double max = 0;
    double value = 0;
  };
  int Closings() const { return closings_; }
  const Closing& LastClosing() const { return lastClosing_; }

 protected:
  void Form_Unload(int& cancel) override;

 private:
  DWORD lastRepaint_ = 0;
  bool repainted_ = false;
  int closings_ = 0;
  Closing lastClosing_;
};

inline ui::FormRef<FrmProgress> frmprogress;
