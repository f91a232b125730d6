#pragma once
// Sets the start-up password: typed twice, stored as a salted hash.
#include "shell/passwords/PasswordDialog.h"

class FrmCreatePass : public PasswordDialog {
 public:
  FrmCreatePass();
  ui::ControlArray<ui::Label> lblLabels{this, "lblLabels"};
  ui::Ctl<ui::TextBox> txtUserName{this, "txtUserName"};  // the password
  ui::Ctl<ui::TextBox> txtPassword{this, "txtPassword"};  // typed again
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

inline ui::FormRef<FrmCreatePass> frmcreatepass;
