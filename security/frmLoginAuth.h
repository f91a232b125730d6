#pragma once
// The Login and Authentication page: logon, unlocking, password and recovery-console
// settings. Save writes every box and the page stays open.
#include "security/RestrictionPage.h"

class FrmLoginAuth : public RestrictionPage {
 public:
  FrmLoginAuth();

  void ResizeLoginAuth();
  // Handlers, public so that tests press them as a user does.
  void Command55_Click();  // Save
  void Command1_Click();   // close and return

  ui::ControlArray<ui::CheckBox> Check9{this, "Check9"};
  ui::Ctl<ui::CommandButton> Command55{this, "Command55"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeLoginAuth(); }
};

inline ui::FormRef<FrmLoginAuth> frmLoginAuth;
