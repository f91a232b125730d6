#pragma once
// The User Account Control page: whether User Account Control is off, three of its
// switches, and how the elevation prompt behaves for administrators and for standard
// users. Save writes every row and the page stays open.
#include "security/RestrictionPage.h"

class FrmUAC : public RestrictionPage {
 public:
  FrmUAC();

  void ResizeUAC();
  // Handlers, public so that tests press them as a user does.
  void Command29_Click();  // Save
  void Command1_Click();   // close and return

  ui::Ctl<ui::CheckBox> Check24{this, "Check24"};
  ui::ControlArray<ui::CheckBox> Check25{this, "Check25"};
  ui::Ctl<ui::OptionButton> Option1{this, "Option1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::OptionButton> Option3{this, "Option3"};
  ui::Ctl<ui::OptionButton> Option4{this, "Option4"};
  ui::Ctl<ui::OptionButton> Option5{this, "Option5"};
  ui::Ctl<ui::OptionButton> Option6{this, "Option6"};
  ui::Ctl<ui::OptionButton> Option7{this, "Option7"};
  ui::Ctl<ui::OptionButton> Option8{this, "Option8"};
  ui::Ctl<ui::OptionButton> Option9{this, "Option9"};
  ui::Ctl<ui::CommandButton> Command29{this, "Command29"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeUAC(); }
};

inline ui::FormRef<FrmUAC> frmUAC;
