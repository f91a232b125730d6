#pragma once
// The Performance Tweaks page: file-system, memory, processor-cache, visual-effect,
// shutdown-timeout and processor-priority settings on the tweak engine, a preset that
// chooses them for this computer, the undo program, and Core Parking through powercfg.
// The Auto Tuner calls the preset and Save on the page loaded hidden.
#include <cstdint>
#include <string>

#include "platform/service_control.h"
#include "shell/PageFrame.h"

class FrmPerformance : public Page {
 public:
  FrmPerformance();

  // Public members.
  double OddOrEven(double value);
  void CheckWMI();
  void StartWMI();
  void Command1_Click();   // Save
  void Command19_Click();  // return every setting of the product to its defaults
  void Command3_Click();   // the recommended-settings preset
  void ResizePerformance();

  // Handlers of the other buttons and of the cache-size box, public so that tests press
  // them as a user does.
  void Command2_Click();  // close and return
  void Command4_Click();  // disable Core Parking
  void Command5_Click();  // enable Core Parking
  void Text1_Validate(int& Cancel);

  ui::ControlArray<ui::CheckBox> Check1{this, "Check1"};
  ui::ControlArray<ui::CheckBox> Check2{this, "Check2"};
  ui::ControlArray<ui::CheckBox> Check3{this, "Check3"};
  ui::ControlArray<ui::CheckBox> Check4{this, "Check4"};
  ui::Ctl<ui::CheckBox> Check22{this, "Check22"};
  ui::Ctl<ui::TextBox> Text1{this, "Text1"};
  ui::Ctl<ui::OptionButton> Option1{this, "Option1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::CommandButton> Command3{this, "Command3"};
  ui::Ctl<ui::CommandButton> Command4{this, "Command4"};
  ui::Ctl<ui::CommandButton> Command5{this, "Command5"};
  ui::Ctl<ui::CommandButton> Command19{this, "Command19"};
  platform::ServiceControl ctlService1;

 protected:
  void BindEvents() override;
  void Form_Load() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void LoadCaptions();
  void ReadPerformanceTweaks();
};

inline ui::FormRef<FrmPerformance> frmPerformance;

// Installed physical memory in megabytes, rounded (halves to even) and made even; 0 when
// the memory status cannot be read.
int32_t PhysicalMemoryFigure();

// The processor's second-level cache size as WMI gives it (the last processor's
// L2CacheSize), or "" when WMI gives none.
std::string L2CacheSizeFromWmi();
