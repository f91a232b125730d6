#include "shell/frmStandIn.h"

#include "shell/LayoutScaling.h"
#include "shell/Strings.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "Label1", .rect = {360, 360, 5400, 600},
     .caption = "This tool is not part of this version of Quenvor Pro."},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {4560, 1320, 1215, 375},
     .caption = "Close", .style = ui::kDefault | ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmStandIn",
                            .caption = "",
                            .width = 6300,
                            .height = 2600,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

}  // namespace

FrmStandIn::FrmStandIn(int captionRes) : Page(kForm, kDesign), captionRes_(captionRes) {}

void FrmStandIn::BindEvents() {
  Command1->Click = [this] { Unload(); };
}

void FrmStandIn::Form_Load() {
  SetCaption(LoadResString(captionRes_));
  ScalePageToScreen(*this);
}
