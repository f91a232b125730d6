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
