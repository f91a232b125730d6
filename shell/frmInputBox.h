#pragma once
// The input box: one line of text with OK and Cancel.
//   frmInputBox->Prompt = ...; ->Title = ...; ->Default = ...; ->Display();
//   then read frmInputBox->txtInput->Text() and frmInputBox->ButtonClicked.
#include <cstdint>
#include <string>

#include "ui/form.h"

class FrmInputBox : public ui::Form {
 public:
  FrmInputBox();

  std::string Prompt;
  std::string Title;
  std::string Default;
  bool PasswordProtect = false;
  int16_t ButtonClicked = 0;  // 1 OK, 2 Cancel

  // Shows the box modally, without owner; returns when it is hidden.
  void Display();

  ui::Ctl<ui::Label> lblPrompt{this, "lblPrompt"};
  ui::Ctl<ui::TextBox> txtInput{this, "txtInput"};
  ui::ControlArray<ui::CommandButton> cmdButton{this, "cmdButton"};

  void cmdButton_Click(int Index);

 protected:
  void BindEvents() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void FillFromProperties();
  // Set by Display; the first activation after it fills the box, later ones (a return from
  // another program) keep what the user typed.
  bool fillOnActivate_ = false;
};

inline ui::FormRef<FrmInputBox> frmInputBox;
