#pragma once
// The Performance II page: Speed Boost (User Account Control policies and two services),
// Game Boost (stops the running services of a fixed list and starts them again), the disk
// defragmenter for a chosen drive, and the processor check at the next start. Every button
// acts at once; the page reads no settings. The Auto Tuner calls the defragmenter and the
// processor check without showing the page.
#include <array>

#include "platform/service_control.h"
#include "shell/PageFrame.h"
#include "ui/DriveList.h"

class FrmPerformanceII : public Page {
 public:
  FrmPerformanceII();

  // Public members.
  void ResizePerformanceII();
  void Command43_Click();  // Disk Defrag: loads the page (hidden) for its drive list
  void Command64_Click();  // Processor Check Routine: works without loading the page

  // Handlers of the other buttons, public so that tests press them as a user does.
  void Command1_Click();   // close
  void Command2_Click();   // Speed Boost on
  void Command3_Click();   // Speed Boost off
  void Command41_Click();  // Game Boost on
  void Command42_Click();  // Game Boost off

  ui::Ctl<ui::Frame> Frame1{this, "Frame1"};
  ui::Ctl<ui::DriveList> Drive2{this, "Drive2"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command3{this, "Command3"};
  ui::Ctl<ui::CommandButton> Command41{this, "Command41"};
  ui::Ctl<ui::CommandButton> Command42{this, "Command42"};
  ui::Ctl<ui::CommandButton> Command43{this, "Command43"};
  ui::Ctl<ui::CommandButton> Command64{this, "Command64"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  void SpeedBoost(bool on);
};

inline ui::FormRef<FrmPerformanceII> frmPerformanceII;

// The services that Game Boost examines, in order (service key names).
inline constexpr std::array<const char*, 23> GameBoostServices = {
    "AeLookupSvc", "Browser",        "UxSms",    "DPS",          "iphlpsvc",
    "CscService",  "WPDBusEnum",     "Spooler",  "TrkWks",       "ProtectedStorage",
    "seclogon",    "LanmanServer",   "TabletInputService",         "Themes",
    "lmhosts",     "ehRecvr",        "ehSched",  "WMPNetworkSvc", "WinDefend",
    "WSearch",     "RemoteRegistry", "wscsvc",   "wuauserv"};
