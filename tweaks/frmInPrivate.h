#pragma once
// The InPrivate dialog of the Internet Explorer page: for Internet Explorer 8 whether the
// browser starts in InPrivate Filtering, for Internet Explorer 9 whether Tracking
// Protection is disabled by per-user policy. Save writes, reports and closes the dialog.
#include "tweaks/OptionDialog.h"

class FrmInPrivate : public OptionDialog {
 public:
  FrmInPrivate();

  void CheckInPrivate();  // the reader
  void Command1_Click();  // Save

  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::OptionButton> Option1{this, "Option1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void LoadTexts() override;
};

inline ui::FormRef<FrmInPrivate> frmInPrivate;
