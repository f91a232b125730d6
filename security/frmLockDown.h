#pragma once
// The drive lock-down page: allows or blocks USB mass storage, CD-ROM/DVD, floppy and
// high-capacity floppy drives through the start type of the driver behind each. Sized like
// a dialog; Save writes, reports and closes the page.
#include "security/RestrictionPage.h"

class FrmLockDown : public RestrictionPage {
 public:
  FrmLockDown();

  // Handlers, public so that tests press them as a user does.
  void Command1_Click();  // Save
  void Command2_Click();  // Close
  void Label1_Click();    // the information boxes: USB,
  void Label2_Click();    // floppy,
  void Label3_Click();    // CD-ROM/DVD,
  void Label4_Click();    // high-capacity floppy

  ui::ControlArray<ui::Frame> Frame2{this, "Frame2"};
  ui::Ctl<ui::OptionButton> Option1{this, "Option1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::OptionButton> Option3{this, "Option3"};
  ui::Ctl<ui::OptionButton> Option4{this, "Option4"};
  ui::Ctl<ui::OptionButton> Option5{this, "Option5"};
  ui::Ctl<ui::OptionButton> Option6{this, "Option6"};
  ui::Ctl<ui::OptionButton> Option7{this, "Option7"};
  ui::Ctl<ui::OptionButton> Option8{this, "Option8"};
  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::Label> Label2{this, "Label2"};
  ui::Ctl<ui::Label> Label3{this, "Label3"};
  ui::Ctl<ui::Label> Label4{this, "Label4"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};

 protected:
  void BindEvents() override;
  void ScaleToScreen() override;
};

inline ui::FormRef<FrmLockDown> frmLockDown;
