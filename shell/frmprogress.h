#pragma once
// The progress window: one bar that a page drives through a long loop. The caption is
// the progress text. Callers: Show, Caption, ProgressBar1 Max, Value + 1 per step, Unload.
#include "ui/ProgressBar.h"
#include "ui/form.h"

class FrmProgress : public ui::Form {
 public:
  FrmProgress();
  ui::Ctl<ui::ProgressBar> ProgressBar1{this, "ProgressBar1"};
};

inline ui::FormRef<FrmProgress> frmprogress;
