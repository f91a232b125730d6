#pragma once
// A tool page that is not in this version yet: it follows the page frame and says so.
#include <string>

#include "shell/PageFrame.h"

class FrmStandIn : public Page {
 public:
  explicit FrmStandIn(int captionRes);
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  int captionRes_;
};

// One form per page, captioned with its widget's label.
template <int CaptionRes>
class StandInPage : public FrmStandIn {
 public:
  StandInPage() : FrmStandIn(CaptionRes) {}
};
