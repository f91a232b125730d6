#pragma once
// The Control Panel restrictions page: the Administrative Tools entry of the Control Panel,
// the Control Panel and printer policies, the Programs Control Panel policies and the
// display and theme policies. Save writes every box and the page stays open.
#include "security/RestrictionPage.h"

class FrmControlPanel : public RestrictionPage {
 public:
  FrmControlPanel();

  void ResizeControlPanel();
  // Handlers, public so that tests press them as a user does.
  void Command54_Click();  // Save
  void Command1_Click();   // close and return

  ui::ControlArray<ui::CheckBox> Check3{this, "Check3"};
  ui::ControlArray<ui::CheckBox> Check4{this, "Check4"};
  ui::ControlArray<ui::CheckBox> Check5{this, "Check5"};
  ui::ControlArray<ui::CheckBox> Check6{this, "Check6"};
  ui::ControlArray<ui::CheckBox> Check7{this, "Check7"};
  ui::Ctl<ui::CommandButton> Command54{this, "Command54"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeControlPanel(); }
};

inline ui::FormRef<FrmControlPanel> frmControlPanel;
