#pragma once
// The Service Manager page: lists which known services run or are stopped, stops, starts
// and re-types the ticked ones, and applies the Default, Tweaked and Safe start-type
// presets to all known services. The Auto Tuner applies Safe on the page loaded hidden.
#include <string>
#include <vector>

#include "platform/service_control.h"
#include "services/KnownServices.h"
#include "shell/PageFrame.h"
#include "ui/ListView.h"

class FrmServices : public Page {
 public:
  FrmServices();

  // Public members.
  void Command68_Click();  // the Safe preset
  void ResizeServices();

  // Handlers of the other buttons, public so that tests press them as a user does.
  void Command1_Click();   // close and return
  void Command12_Click();  // list the running services
  void Command17_Click();  // list the stopped services
  void Command13_Click();  // stop the ticked services
  void Command14_Click();  // stop and disable them
  void Command16_Click();  // stop them and set them to manual start
  void Command18_Click();  // set them to automatic start and start them
  void Command65_Click();  // the Default preset
  void Command67_Click();  // the Tweaked preset

  ui::Ctl<ui::Frame> Frame19{this, "Frame19"};
  ui::Ctl<ui::PictureBox> Picture1{this, "Picture1"};
  ui::Ctl<ui::ListView> ListView1{this, "ListView1"};
  ui::ControlArray<ui::Frame> Frame45{this, "Frame45"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command12{this, "Command12"};
  ui::Ctl<ui::CommandButton> Command13{this, "Command13"};
  ui::Ctl<ui::CommandButton> Command14{this, "Command14"};
  ui::Ctl<ui::CommandButton> Command16{this, "Command16"};
  ui::Ctl<ui::CommandButton> Command17{this, "Command17"};
  ui::Ctl<ui::CommandButton> Command18{this, "Command18"};
  ui::Ctl<ui::CommandButton> Command65{this, "Command65"};
  ui::Ctl<ui::CommandButton> Command67{this, "Command67"};
  ui::Ctl<ui::CommandButton> Command68{this, "Command68"};
  ui::Ctl<ui::Label> Label24{this, "Label24"};
  ui::Ctl<ui::Image> Image1{this, "Image1"};
  platform::ServiceControl ctlService1;

  // The presets' buttons and the actions, as data.
  struct PresetButton;
  struct Action;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  void ListServices(const char* status);
  void ActOnTickedRows(const Action& action);
  void RunPreset(const PresetButton& button);

  // The key name of the service in each row of the list, for every row.
  std::vector<std::string> ListedServiceKeys;
};

inline ui::FormRef<FrmServices> frmServices;
