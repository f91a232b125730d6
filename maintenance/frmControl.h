#pragma once
// The Control Center: links to Windows' administration tools in one frame. A click on a link
// starts its tool; a tool that cannot be started is reported. The Windows Update link sets
// the services Windows Update needs to start automatically, starts them and offers to open
// Windows Update. Nothing else on the system changes.
#include "platform/service_control.h"
#include "shell/PageFrame.h"
#include "ui/HyperLink.h"

class FrmControl : public Page {
 public:
  FrmControl();

  void ResizeControl();
  // Handlers, public so that tests use the page as a user does.
  void Command1_Click();        // close
  void mkcHyperLinks2_Click();  // Windows Update

  ui::ControlArray<ui::HyperLink> mkcHyperLinks1{this, "mkcHyperLinks1"};
  ui::Ctl<ui::HyperLink> mkcHyperLinks2{this, "mkcHyperLinks2"};
  ui::Ctl<ui::Frame> Frame9{this, "Frame9"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmControl> frmControl;
