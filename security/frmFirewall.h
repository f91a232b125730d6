#pragma once
// The firewall page: the programs Windows Firewall's current profile allows (its
// authorized applications), with a program added from a file-open dialog and the ticked
// ones removed. With the firewall service not running, the list and both action buttons
// stay disabled for the life of the page.
#include "platform/service_control.h"
#include "shell/PageFrame.h"
#include "ui/ListView.h"

class FrmFirewall : public Page {
 public:
  FrmFirewall();

  // Handlers, public so that tests press them as a user does.
  void Command70_Click();  // add a program
  void Command69_Click();  // remove the ticked programs
  void Command1_Click();   // close and return
  void vbalListViewCtl3_ColumnClick(ui::ListViewColumn& column);
  void ResizeFirewall();
  // The WMI guard on the page's service control.
  void CheckWMI();
  void StartWMI();

  ui::Ctl<ui::Frame> Frame51{this, "Frame51"};
  ui::Ctl<ui::ListView> vbalListViewCtl3{this, "vbalListViewCtl3"};
  ui::Ctl<ui::CommandButton> Command69{this, "Command69"};
  ui::Ctl<ui::CommandButton> Command70{this, "Command70"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmFirewall> frmFirewall;
