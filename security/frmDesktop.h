#pragma once
// The Desktop and Explorer page: Explorer and desktop restrictions of the current user and
// policies that switch Windows components off. Save writes every box and the page stays
// open.
#include "security/RestrictionPage.h"

class FrmDesktop : public RestrictionPage {
 public:
  FrmDesktop();

  void ResizeDesktop();
  // Handlers, public so that tests press them as a user does.
  void Command53_Click();  // Save
  void Command1_Click();   // close and return

  ui::ControlArray<ui::CheckBox> Check1{this, "Check1"};
  ui::ControlArray<ui::CheckBox> Check2{this, "Check2"};
  ui::ControlArray<ui::CheckBox> Check8{this, "Check8"};
  ui::Ctl<ui::CommandButton> Command53{this, "Command53"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeDesktop(); }
};

inline ui::FormRef<FrmDesktop> frmDesktop;
