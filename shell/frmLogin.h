#pragma once
// The start-up password prompt.
#include "ui/form.h"

class FrmLogin : public ui::Form {
 public:
  FrmLogin();
  ui::Ctl<ui::TextBox> txtPassword{this, "txtPassword"};
  ui::Ctl<ui::CommandButton> cmdOK{this, "cmdOK"};
  ui::Ctl<ui::CommandButton> cmdCancel{this, "cmdCancel"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void cmdCancel_Click();
};

inline ui::FormRef<FrmLogin> frmLogin;
