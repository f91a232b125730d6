#pragma once
// The System page: thirteen system security settings (credential storage, System Restore
// policy, access to removable drives, shell restart, group policy objects, reboot after a
// crash, script signatures, base system objects, password on resume, event logs, CD
// burning). Save writes every box and the page stays open.
#include "security/RestrictionPage.h"

class FrmSystem : public RestrictionPage {
 public:
  FrmSystem();

  void ResizeSystem();
  // Handlers, public so that tests press them as a user does.
  void Command52_Click();  // Save
  void Command1_Click();   // close and return

  ui::ControlArray<ui::CheckBox> Check12{this, "Check12"};
  ui::Ctl<ui::CommandButton> Command52{this, "Command52"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeSystem(); }
};

inline ui::FormRef<FrmSystem> frmSystem;
