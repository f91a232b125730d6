#pragma once
// The restore-point page: lists the computer's restore points and creates new ones. It is
// a page (from the Maintenance widget, or from File, Create Restore Point over the visible
// main window) and a silent service for pages that want a restore point before they change
// something:
//
//   ShowMainAfterRestore = false;
//   FRMsysRestore->Hide();                          // loaded hidden, or hidden if open
//   FRMsysRestore->txtRPName->SetText(description); // optional
//   FRMsysRestore->CmdCreate_Click();               // creates, reports, unloads the page
//   FRMsysRestore->Unload();                        // nothing left to do
//   ShowMainAfterRestore = true;
//   if (!FRMsysRestore->LastCreateSucceeded) { /* change nothing */ }
#include <cstdint>
#include <string>

#include "platform/service_control.h"
#include "ui/form.h"

class FrmSysRestore : public ui::Form {
 public:
  FrmSysRestore();

  // The restore-point type to create (0, 1, 10 or 12), set by the option buttons.
  int16_t OptSel = 0;
  // True when the last CmdCreate_Click made a restore point; false after an empty
  // description, a refusal or any failure. Kept when the page unloads.
  bool LastCreateSucceeded = false;

  // Appends the description of every restore point to ListPoints, or "No Restore Points
  // Found" when that leaves the list empty.
  void List_RestorePoints();
  // Creates one restore point; sets the failure flag when it was not created.
  void Create_Restore(const std::string& RPName, int16_t RPType);
  // Validates the description, creates the point, reports the result and unloads the page.
  void CmdCreate_Click();
  void cmdListPoints_Click();
  void Command1_Click();
  void OptRP_Click(int Index);

  ui::Ctl<ui::Label> lblTitle{this, "lblTitle"};
  ui::Ctl<ui::TextBox> txtRPName{this, "txtRPName"};
  ui::Ctl<ui::Label> lblOptions{this, "lblOptions"};
  ui::ControlArray<ui::OptionButton> OptRP{this, "OptRP"};
  ui::Ctl<ui::Frame> frameInfo{this, "frameInfo"};
  ui::Ctl<ui::Label> lblInfo{this, "lblInfo"};
  ui::Ctl<ui::Label> lblListPoints{this, "lblListPoints"};
  ui::Ctl<ui::ListBox> ListPoints{this, "ListPoints"};
  ui::Ctl<ui::CommandButton> cmdListPoints{this, "cmdListPoints"};
  ui::Ctl<ui::CommandButton> CmdCreate{this, "CmdCreate"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  // Queries the Volume Shadow Copy service before a creation.
  platform::ServiceControl ctlService2;

 protected:
  void BindEvents() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void LoadCaptions();
  bool failed_ = false;  // the last creation attempt made no restore point
};

inline ui::FormRef<FrmSysRestore> FRMsysRestore;

// The restore-point page as a silent service for a page that changes something: creates a
// restore point with this description without showing the page (which reports the outcome
// in its own message and unloads), leaving the main window as it is. True when the point
// was made.
bool CreateRestorePointQuietly(const std::string& description);
