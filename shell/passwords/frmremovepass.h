#pragma once
// Removes the start-up password once it has been typed.
#include "shell/passwords/PasswordDialog.h"

class FrmRemovePass : public PasswordDialog {
 public:
  FrmRemovePass();
  ui::ControlArray<ui::Label> lblLabels{this, "lblLabels"};
  ui::Ctl<ui::TextBox> txtPassword{this, "txtPassword"};
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

inline ui::FormRef<FrmRemovePass> frmremovepass;
