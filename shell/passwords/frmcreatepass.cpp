#include "shell/passwords/frmcreatepass.h"

#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/ColouredMessageBox.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "lblLabels", .index = 0, .rect = {120, 240, 1800, 255}},
    {.kind = Kind::TextBox, .name = "txtUserName", .rect = {2040, 200, 2325, 315},
     .style = ui::kPassword, .max = 254},
    {.kind = Kind::Label, .name = "lblLabels", .index = 1, .rect = {120, 720, 1800, 255}},
    {.kind = Kind::TextBox, .name = "txtPassword", .rect = {2040, 680, 2325, 315},
     .style = ui::kPassword, .max = 254},
    {.kind = Kind::CommandButton, .name = "cmdOK", .rect = {1800, 1320, 1140, 390}, .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "cmdCancel", .rect = {3180, 1320, 1140, 390}, .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmcreatepass",
                            .width = 4650,
                            .height = 2280,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false};

}  // namespace

FrmCreatePass::FrmCreatePass() : PasswordDialog(kForm, kDesign) {}

void FrmCreatePass::BindEvents() {
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void FrmCreatePass::LoadCaptions() {
  SetCaption(LoadResString(84));
  lblLabels[0].SetCaption(LoadResString(572));
  lblLabels[1].SetCaption(LoadResString(441));
  cmdOK->SetCaption(LoadResString(699));
  cmdCancel->SetCaption(LoadResString(49));
}

void FrmCreatePass::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen(*this);
}

void FrmCreatePass::cmdOK_Click() {
  if (txtUserName->Text() != txtPassword->Text()) {
    txtUserName->SetText("");
    txtPassword->SetText("");
    MsgBox(LoadResString(537), MB_OK | MB_ICONINFORMATION, LoadResString(344));
    return;
  }
  if (IsBlankPassword(txtPassword->Text())) {
    MsgBox(LoadResString(625), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
    return;
  }
  PasswordUpdate update = StorePassword(txtPassword->Text());
  if (!update.Succeeded()) {
    ShowUpdateFailure("Setting the password", update);
    return;
  }
  MsgBox(LoadResString(342), MB_OK | MB_ICONINFORMATION, kAppTitle);
  Unload();
}
