#pragma once
// The Miscellaneous Tweaks page: owner information, menu, icon-cache, font, kernel
// worker-thread, balloon-tip, recycle-bin, user-tracking and shortcut-arrow settings, the
// mouse sample rate and the Windows Messenger policy, on the tweak engine; a recommended
// preset, Clear Icon Cache and the More IE Tweaks dialog. The Auto Tuner calls the preset
// and Save on the page loaded hidden.
#include "shell/PageFrame.h"

class FrmMiscellaneous : public Page {
 public:
  FrmMiscellaneous();

  // Public members.
  void Command4_Click();  // Save
  void Command9_Click();  // the recommended-settings preset
  void ResizeMisc();

  // Handlers of the other buttons, public so that tests press them as a user does.
  void Command5_Click();   // close
  void Command20_Click();  // More IE Tweaks
  void Command35_Click();  // Clear Icon Cache

  ui::ControlArray<ui::CheckBox> Check6{this, "Check6"};
  ui::ControlArray<ui::CheckBox> Check7{this, "Check7"};
  ui::ControlArray<ui::CheckBox> Check8{this, "Check8"};
  ui::ControlArray<ui::CheckBox> Check12{this, "Check12"};
  ui::ControlArray<ui::CheckBox> Check13{this, "Check13"};
  ui::Ctl<ui::CheckBox> Check11{this, "Check11"};
  ui::Ctl<ui::CheckBox> Check14{this, "Check14"};
  ui::Ctl<ui::CheckBox> Check17{this, "Check17"};
  ui::Ctl<ui::CheckBox> Check19{this, "Check19"};
  ui::Ctl<ui::TextBox> Text2{this, "Text2"};
  ui::Ctl<ui::TextBox> Text3{this, "Text3"};
  ui::Ctl<ui::CommandButton> Command4{this, "Command4"};
  ui::Ctl<ui::CommandButton> Command5{this, "Command5"};
  ui::Ctl<ui::CommandButton> Command9{this, "Command9"};
  ui::Ctl<ui::CommandButton> Command20{this, "Command20"};
  ui::Ctl<ui::CommandButton> Command35{this, "Command35"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  void ReadMiscTweaks();
  void ReadOwnerInfo();
};

inline ui::FormRef<FrmMiscellaneous> frmMiscellaneous;
