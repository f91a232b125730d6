#pragma once
// The filter dialog of the Internet Explorer page: the phishing filter (Internet Explorer 7)
// or SmartScreen filter (later versions) as one group of options bound to one per-user
// value. Save writes it, reports and closes the dialog.
#include "tweaks/OptionDialog.h"

class FrmIE2 : public OptionDialog {
 public:
  FrmIE2();

  void Command5_Click();  // Save

  ui::Ctl<ui::Frame> Frame1{this, "Frame1"};
  ui::Ctl<ui::OptionButton> Option1{this, "Option1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::OptionButton> Option3{this, "Option3"};
  ui::Ctl<ui::CommandButton> Command5{this, "Command5"};

 protected:
  void BindEvents() override;
  void LoadTexts() override;
};

inline ui::FormRef<FrmIE2> IE2;
