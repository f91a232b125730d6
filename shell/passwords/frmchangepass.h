#pragma once
// Changes the start-up password: the old one, then the new one typed twice.
#include "shell/passwords/PasswordDialog.h"

class FrmChangePass : public PasswordDialog {
 public:
  FrmChangePass();
  ui::ControlArray<ui::Label> lblLabels{this, "lblLabels"};
  ui::Ctl<ui::TextBox> txtUserName{this, "txtUserName"};  // the old password
  ui::Ctl<ui::TextBox> txtPassword{this, "txtPassword"};  // the new password
  ui::Ctl<ui::TextBox> Text1{this, "Text1"};              // the new password again
  ui::Ctl<ui::CommandButton> cmdOK{this, "cmdOK"};
  ui::Ctl<ui::CommandButton> cmdCancel{this, "cmdCancel"};

  void cmdOK_Click();
  void cmdCancel_Click() { Unload(); }

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmChangePass> frmchangepass;
