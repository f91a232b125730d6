#pragma once
// The System Information page: hardware and operating-system details read through WMI, one
// category at a time, in a two-column list; and the HTML system report, written and opened.
#include <string>

#include "platform/service_control.h"
#include "shell/PageFrame.h"
#include "ui/ListView.h"

class FrmSystemInformation : public Page {
 public:
  FrmSystemInformation();

  // Public members.
  void StartWMI();
  void CheckWMI();
  // Has the shell open the file; says so when no program opens it.
  void Navigate(const std::string& NavTo);
  void ResizeSystemInformation();

  // Handlers, public so that tests choose and press as a user does.
  void Combo5_Click();    // a category chosen
  void Command15_Click();  // write the report and open it
  void Command1_Click();   // close

  ui::Ctl<ui::Frame> Frame39{this, "Frame39"};
  ui::Ctl<ui::Label> Label26{this, "Label26"};
  ui::Ctl<ui::ComboBox> Combo5{this, "Combo5"};
  ui::Ctl<ui::ListView> vbalListViewCtl2{this, "vbalListViewCtl2"};
  ui::Ctl<ui::CommandButton> Command15{this, "Command15"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmSystemInformation> frmSystemInformation;
