#pragma once
// The Internet Explorer page: 33 per-user policy restrictions of the browser and of its
// Internet Options dialog, read on load and written by Save; the filter and InPrivate /
// Tracking Protection dialogs; the system's Delete Browsing History dialog, centred; and a
// DNS cache flush that starts the DNS client service first when the user agrees.
#include "platform/service_control.h"
#include "shell/PageFrame.h"

class FrmInternetExplorer : public Page {
 public:
  FrmInternetExplorer();

  void ResizeInternetExplorer();

  // Handlers, public so that tests press them as a user does.
  void Command1_Click();   // close
  void Command2_Click();   // the InPrivate / Tracking Protection dialog
  void Command6_Click();   // Save
  void Command8_Click();   // the filter dialog
  void Command10_Click();  // Erase IE Internet Files
  void Command21_Click();  // Flush DNS Cache

  ui::ControlArray<ui::CheckBox> Check1{this, "Check1"};
  ui::ControlArray<ui::CheckBox> Check10{this, "Check10"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command6{this, "Command6"};
  ui::Ctl<ui::CommandButton> Command8{this, "Command8"};
  ui::Ctl<ui::CommandButton> Command10{this, "Command10"};
  ui::Ctl<ui::CommandButton> Command21{this, "Command21"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  void ReadBrowserRestrictions();
  void ReadIEControlPanelRestrictions();
  void FlushDnsCache(int showCommand);
};

inline ui::FormRef<FrmInternetExplorer> frmInternetExplorer;
