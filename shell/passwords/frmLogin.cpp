#include "shell/passwords/frmLogin.h"

#include "shell/LayoutScaling.h"
#include "shell/passwords/PasswordStore.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "shell/ColouredMessageBox.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "lblLabels", .index = 1, .rect = {120, 240, 1200, 255}},
    {.kind = Kind::TextBox, .name = "txtPassword", .rect = {1380, 200, 2325, 315},
     .style = ui::kPassword, .max = 254},
    {.kind = Kind::CommandButton, .name = "cmdOK", .rect = {1080, 840, 1140, 390}, .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "cmdCancel", .rect = {2460, 840, 1140, 390}, .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmLogin",
                            .width = 3900,
                            .height = 1800,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false};

}  // namespace

FrmLogin::FrmLogin() : PasswordDialog(kForm, kDesign) {}

void FrmLogin::BindEvents() {
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void FrmLogin::LoadCaptions() {
  SetCaption(LoadResString(594));
  lblLabels[1].SetCaption(LoadResString(2));
  cmdOK->SetCaption(LoadResString(699));
  cmdCancel->SetCaption(LoadResString(49));
}

void FrmLogin::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen(*this);
}

void FrmLogin::cmdOK_Click() {
  if (PasswordMatches(txtPassword->Text(), ReadStoredPassword())) {
    Unload();
    frmmain->Show();
    frmmain->Refresh();
    return;
  }
  txtPassword->SetText("");
  MsgBox(LoadResString(262), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
}

// Ends the program: the prompt is the only form loaded at start-up, so once it goes the
// message loop ends.
void FrmLogin::cmdCancel_Click() { Unload(); }
