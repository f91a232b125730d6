#pragma once
// The Shell Tweaks page: the Windows Update services started or stopped, the browser's
// toolbar layouts reset, the registry-based performance counters switched off or on, the
// search history cleared and the event logs cleared. Each button acts at once.
#include "platform/service_control.h"
#include "shell/PageFrame.h"

class FrmShellTweaks : public Page {
 public:
  FrmShellTweaks();

  // Public members.
  void CheckWMI();
  void StartWMI();
  void Command48_Click();  // performance counters off
  void ResizeShellTweaks();

  // Handlers of the other buttons, public so that tests press them as a user does.
  void Command1_Click();   // close
  void Command2_Click();   // clear the event logs
  void Command45_Click();  // start the Windows Update services
  void Command46_Click();  // stop them
  void Command47_Click();  // restore the toolbars
  void Command49_Click();  // performance counters on
  void Command50_Click();  // clear the search history

  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command45{this, "Command45"};
  ui::Ctl<ui::CommandButton> Command46{this, "Command46"};
  ui::Ctl<ui::CommandButton> Command47{this, "Command47"};
  ui::Ctl<ui::CommandButton> Command48{this, "Command48"};
  ui::Ctl<ui::CommandButton> Command49{this, "Command49"};
  ui::Ctl<ui::CommandButton> Command50{this, "Command50"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmShellTweaks> frmShellTweaks;
