#include "shell/passwords/frmchangepass.h"

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
    {.kind = Kind::Label, .name = "lblLabels", .index = 2, .rect = {120, 1200, 1800, 255}},
    {.kind = Kind::TextBox, .name = "Text1", .rect = {2040, 1160, 2325, 315},
     .style = ui::kPassword, .max = 254},
    {.kind = Kind::CommandButton, .name = "cmdOK", .rect = {1800, 1800, 1140, 390}, .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "cmdCancel", .rect = {3180, 1800, 1140, 390}, .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmchangepass",
                            .width = 4650,
                            .height = 2760,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false};

}  // namespace

FrmChangePass::FrmChangePass() : PasswordDialog(kForm, kDesign) {}

void FrmChangePass::BindEvents() {
  cmdOK->Click = [this] { cmdOK_Click(); };
  cmdCancel->Click = [this] { cmdCancel_Click(); };
}

void FrmChangePass::LoadCaptions() {
  SetCaption(LoadResString(51));
  lblLabels[0].SetCaption(LoadResString(195));
  lblLabels[1].SetCaption(LoadResString(194));
  lblLabels[2].SetCaption(LoadResString(440));
  cmdOK->SetCaption(LoadResString(699));
  cmdCancel->SetCaption(LoadResString(49));
}

void FrmChangePass::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen(*this);
}

void FrmChangePass::cmdOK_Click() {
  if (!PasswordMatches(txtUserName->Text(), ReadStoredPassword())) {
    txtUserName->SetText("");
    MsgBox(LoadResString(264), MB_OK | MB_ICONINFORMATION, kAppTitle);
    return;
  }
  if (txtPassword->Text() != Text1->Text()) {
    txtPassword->SetText("");
    Text1->SetText("");
    MsgBox(LoadResString(537), MB_OK | MB_ICONINFORMATION, LoadResString(344));
    return;
  }
  if (IsBlankPassword(Text1->Text())) {  // both boxes hold the same text here
    MsgBox(LoadResString(625), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
    return;
  }
  PasswordUpdate update = StorePassword(Text1->Text());
  if (!update.Succeeded()) {
    ShowUpdateFailure("Changing the password", update);
    return;
  }
  MsgBox(LoadResString(341), MB_OK | MB_ICONINFORMATION, kAppTitle);
  Unload();
}
