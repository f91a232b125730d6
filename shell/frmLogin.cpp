#include "shell/frmLogin.h"

#include "shell/Module6.h"
#include "shell/RegistryDeclares.h"

namespace {

using ui::Def;
using ui::Kind;

// Until passwords can be checked, the prompt only lets the user leave: it never opens the
// program without the password.
constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "lblLabels", .rect = {120, 240, 1200, 255}, .caption = "&Password:"},
    {.kind = Kind::TextBox, .name = "txtPassword", .rect = {1380, 200, 2325, 315},
     .style = ui::kPassword, .max = 254},
    {.kind = Kind::CommandButton, .name = "cmdOK", .rect = {1080, 840, 1140, 390}, .caption = "OK",
     .style = ui::kDefault | ui::kDisabled},
    {.kind = Kind::CommandButton, .name = "cmdCancel", .rect = {2460, 840, 1140, 390},
     .caption = "Cancel", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmLogin",
                            .caption = "Login",
                            .width = 3900,
                            .height = 1800,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false};

}  // namespace

FrmLogin::FrmLogin() : Form(kForm, kDesign) {}

void FrmLogin::BindEvents() { cmdCancel->Click = [this] { cmdCancel_Click(); }; }

void FrmLogin::Form_Load() { ScaleDialogToScreen(*this); }

// Cancel ends the program: no form stays loaded.
void FrmLogin::cmdCancel_Click() { Unload(); }
