#include "shell/frmprogress.h"

namespace {

constexpr ui::Def kDesign[] = {
    {.kind = ui::Kind::Custom, .name = "ProgressBar1", .rect = {0, 0, 4005, 375}, .max = 100,
     .customClass = ui::kProgressBarClass},
};

constexpr ui::FormDef kForm{.name = "frmprogress",
                            .caption = "",
                            .border = ui::BorderStyle::FixedToolWindow,
                            .controlBox = false,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false,
                            .clientWidth = 4005,
                            .clientHeight = 375};

}  // namespace

FrmProgress::FrmProgress() : Form(kForm, kDesign) {}

void FrmProgress::Advance() {
  ui::ProgressBar& bar = *ProgressBar1;
  bar.SetValue(bar.Value() + 1);
  const DWORD now = GetTickCount();
  if (repainted_ && now - lastRepaint_ < kRepaintMs && bar.Value() < bar.Max()) return;
  repainted_ = true;
  lastRepaint_ = now;
  if (HWND window = hWnd()) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void FrmProgress::Form_Unload(int& cancel) {
  ++closings_;
  lastClosing_ = {Caption(), ProgressBar1->Max(), ProgressBar1->Value()};
  repainted_ = false;
}
