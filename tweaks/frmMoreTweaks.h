#pragma once
// The More Tweaks page: the temporary-folder cleaner, Process Idle Tasks and the TCP
// receive-window auto-tuning switch. The Auto Tuner calls the cleaner on the page loaded
// hidden.
#include <string>

#include "platform/service_control.h"
#include "shell/PageFrame.h"

class FrmMoreTweaks : public Page {
 public:
  FrmMoreTweaks();

  // Public members.
  void Command37_Click();  // the temporary-folder cleaner
  void FolderDelete(const std::string& strBaseFolder, bool blnContentOnly, bool blnShowErrors);
  void Command38_Click();  // Process Idle Tasks
  void ResizeMoreTweaks();

  // Handlers of the other buttons, public so that tests press them as a user does.
  void Command1_Click();   // close
  void Command36_Click();  // auto-tuning on
  void Command40_Click();  // auto-tuning off

  ui::Ctl<ui::CheckBox> Check18{this, "Check18"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command36{this, "Command36"};
  ui::Ctl<ui::CommandButton> Command37{this, "Command37"};
  ui::Ctl<ui::CommandButton> Command38{this, "Command38"};
  ui::Ctl<ui::CommandButton> Command40{this, "Command40"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmMoreTweaks> frmMoreTweaks;
