#include "shell/frmInputBox.h"

#include "shell/Strings.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "lblPrompt", .rect = {120, 120, 4095, 1215}},
    {.kind = Kind::TextBox, .name = "txtInput", .rect = {120, 1360, 5925, 285}},
    {.kind = Kind::CommandButton, .name = "cmdButton", .index = 0, .rect = {4905, 145, 1155, 335},
     .caption = "OK", .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "cmdButton", .index = 1, .rect = {4905, 560, 1155, 335},
     .caption = "Cancel", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmInputBox",
                            .caption = "",
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false,
                            .clientWidth = 6210,
                            .clientHeight = 1770};

constexpr float kPromptHeight = 1215;

}  // namespace

FrmInputBox::FrmInputBox() : Form(kForm, kDesign) {}

void FrmInputBox::BindEvents() {
  cmdButton.ForEach([this](ui::CommandButton& b, int i) { b.Click = [this, i] { cmdButton_Click(i); }; });
}

void FrmInputBox::Display() {
  ButtonClicked = 0;  // each showing asks afresh
  fillOnActivate_ = true;
  Show(ui::vbModal, nullptr);
}

void FrmInputBox::Form_Activate() {
  if (!fillOnActivate_) return;
  fillOnActivate_ = false;
  FillFromProperties();
}

void FrmInputBox::FillFromProperties() {
  Move(Left(), Top(), Width(), 2250);
  lblPrompt->SetHeight(kPromptHeight);
  txtInput->SetTop(1360);
  SendMessageA(txtInput->hWnd(), EM_SETPASSWORDCHAR, PasswordProtect ? '*' : 0, 0);
  lblPrompt->SetCaption(Prompt);
  SetCaption(Title);
  txtInput->SetText(Default);
  cmdButton[1].SetCaption(LoadResString(49));
  cmdButton[0].SetCaption(LoadResString(699));
  lblPrompt->SetWidth(4095);
  float needed = lblPrompt->WrappedHeight(4095);
  if (needed > kPromptHeight) {
    float grow = needed - kPromptHeight;
    lblPrompt->SetHeight(needed);
    Move(Left(), Top(), Width(), Height() + grow);
    txtInput->SetTop(txtInput->Top() + grow);
  }
  txtInput->SelectAll();
  txtInput->SetFocus();
}

void FrmInputBox::cmdButton_Click(int Index) {
  ButtonClicked = Index == 0 ? 1 : 2;
  Hide();
}

// The close box answers Cancel, like the Cancel button: the box hides and keeps its text.
void FrmInputBox::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode != 0) return;
  ButtonClicked = 2;
  cancel = 1;
  Hide();
}
