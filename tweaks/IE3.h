#pragma once
// The More IE Tweaks dialog: the Internet Explorer Information Bar and Security Settings
// Check on or off, each button writing at once into the keys of the browser's version
// (the policy keys for version 7, the browser's own from version 8 on, nothing below 7).
// Shown by the Miscellaneous page, owned by the main window; closing it leaves the other
// windows as they are.
#include "ui/form.h"

class FrmIE3 : public ui::Form {
 public:
  FrmIE3();

  // Handlers, public so that tests press them as a user does.
  void Command1_Click();  // Security Settings Check on
  void Command2_Click();  // Security Settings Check off
  void Command3_Click();  // Information Bar on
  void Command4_Click();  // Information Bar off
  void Command5_Click();  // close

  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command3{this, "Command3"};
  ui::Ctl<ui::CommandButton> Command4{this, "Command4"};
  ui::Ctl<ui::CommandButton> Command5{this, "Command5"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmIE3> IE3;
