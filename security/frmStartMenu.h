#pragma once
// The Start Menu & Taskbar page: Start menu, taskbar and document-folder restrictions. Save
// writes every box and the page stays open.
#include "security/RestrictionPage.h"

class FrmStartMenu : public RestrictionPage {
 public:
  FrmStartMenu();

  void ResizeStartMenu();
  // Handlers, public so that tests press them as a user does.
  void Command51_Click();  // Save
  void Command1_Click();   // close and return

  ui::ControlArray<ui::CheckBox> Check20{this, "Check20"};
  ui::ControlArray<ui::CheckBox> Check21{this, "Check21"};
  ui::Ctl<ui::CommandButton> Command51{this, "Command51"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override { ResizeStartMenu(); }
};

inline ui::FormRef<FrmStartMenu> frmStartMenu;
