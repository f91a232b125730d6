#include "shell/passwords/frmremovepass.h"

#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
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

constexpr ui::FormDef kForm{.name = "frmremovepass",
                            .width = 3900,
                            .height = 1800,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false};

}  // namespace

FrmRemovePass::FrmRemovePass() : PasswordDialog(kForm, kDesign) {}

void FrmRemovePass::BindEvents() {
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void FrmRemovePass::LoadCaptions() {
  SetCaption(LoadResString(403));
  lblLabels[1].SetCaption(LoadResString(2));
  cmdOK->SetCaption(LoadResString(699));
  cmdCancel->SetCaption(LoadResString(49));
}

void FrmRemovePass::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen(*this);
}

void FrmRemovePass::cmdOK_Click() {
  if (!PasswordMatches(txtPassword->Text(), ReadStoredPassword())) {
    txtPassword->SetText("");
    MsgBox(LoadResString(263), MB_OK | MB_ICONINFORMATION, LoadResString(261));
    return;
  }
  PasswordUpdate update = RemovePassword();
  if (!update.Succeeded()) {
    ShowUpdateFailure("Removing the password", update);
    return;
  }
  MsgBox(LoadResString(340), MB_OK | MB_ICONINFORMATION, kAppTitle);
  Unload();
}
