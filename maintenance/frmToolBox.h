#pragma once
// The tool box: one-shot maintenance actions, each behind its own button. Hibernation on or
// off, hotfix uninstall information removed, stopped automatic services set to manual, the
// "Cmd Prompt Here" folder verb and the "Copy To" / "Move To" handlers added or removed, and
// the God Mode folder made on the desktop. The page shows no state and reads nothing when
// it opens; each button acts at once and says how it went.
#include "platform/service_control.h"
#include "shell/PageFrame.h"

class FrmToolBox : public Page {
 public:
  FrmToolBox();

  // Public members. The WMI guard runs only for hotfix removal and service repair.
  void CheckWMI();
  void StartWMI();
  void ResizeToolbox();

  // Handlers, public so that tests press them as a user does.
  void Command1_Click();   // close
  void Command30_Click();  // hibernation on
  void Command32_Click();  // hibernation off
  void Command56_Click();  // remove the hotfix uninstall information
  void Command57_Click();  // repair services
  void Command58_Click();  // add Cmd Prompt Here
  void Command59_Click();  // remove Cmd Prompt Here
  void Command60_Click();  // remove Copy To / Move To
  void Command61_Click();  // add Copy To / Move To
  void Command62_Click();  // create the God Mode folder

  ui::ControlArray<ui::Frame> Frame50{this, "Frame50"};
  ui::ControlArray<ui::Label> Label39{this, "Label39"};
  ui::Ctl<ui::Frame> Frame53{this, "Frame53"};
  ui::Ctl<ui::Label> Label23{this, "Label23"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command30{this, "Command30"};
  ui::Ctl<ui::CommandButton> Command32{this, "Command32"};
  ui::Ctl<ui::CommandButton> Command56{this, "Command56"};
  ui::Ctl<ui::CommandButton> Command57{this, "Command57"};
  ui::Ctl<ui::CommandButton> Command58{this, "Command58"};
  ui::Ctl<ui::CommandButton> Command59{this, "Command59"};
  ui::Ctl<ui::CommandButton> Command60{this, "Command60"};
  ui::Ctl<ui::CommandButton> Command61{this, "Command61"};
  ui::Ctl<ui::CommandButton> Command62{this, "Command62"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmToolBox> frmToolBox;

// The name of the God Mode folder made on the desktop.
inline constexpr const char* kGodModeFolderName = "GodMode.{ED7BA470-8E54-465E-825C-99712043E01C}";
