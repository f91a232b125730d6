#pragma once
// The start-up password prompt: the first and only window while a password is set.
#include "shell/passwords/PasswordDialog.h"

class FrmLogin : public PasswordDialog {
 public:
  FrmLogin();
  ui::ControlArray<ui::Label> lblLabels{this, "lblLabels"};
  ui::Ctl<ui::TextBox> txtPassword{this, "txtPassword"};
  ui::Ctl<ui::CommandButton> cmdOK{this, "cmdOK"};
  ui::Ctl<ui::CommandButton> cmdCancel{this, "cmdCancel"};

  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmLogin> frmLogin;
