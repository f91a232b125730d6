#pragma once
// The main window: the category strip, one panel of widgets per category, the resource
// monitor, the menus, and the public operations other forms call.
#include <memory>
#include <string>

#include "shell/help/HTMLHelp.h"
#include "shell/ResourceMonitor.h"
#include "ui/ProgressBar.h"
#include "ui/form.h"

class FrmMain : public ui::Form {
 public:
  FrmMain();

  // Public variables.
  std::unique_ptr<HTMLHelp> hHelp;  // the help file of the Help menu; created on first use
  int16_t ScrollbarSelect = 0;  // scrollable category shown last: 0 Tweaks, 1 Maintenance, 2 Security
  int16_t scroll1 = 0, scroll2 = 0, scroll3 = 0;  // remembered positions, 0 to 100

  void MouseWheel(int32_t MouseKeys, int32_t Rotation, int32_t Xpos, int32_t Ypos);
  void LoadResize();
  // Lets waiting events run until the clock's second has changed `seconds` times.
  void Pause(float seconds);
  double OddOrEven(double temp) { return ::OddOrEven(temp); }
  // The temporary-folder cleaner's folder walk (tweaks/FolderDelete.h); nothing calls it.
  void FolderDelete(const std::string& strBaseFolder, bool blnContentOnly, bool blnShowErrors);
  // The WMI guard (shell/WmiGuard.h) on a service control of the main window's own.
  void CheckWMI();
  void StartWMI();
  // The character shift that older versions stored the start-up password with; neither
  // loads the window.
  std::string Encrypt(const std::string& sResult);
  std::string Decrypt(const std::string& tResult);

  // Event handlers, public so that other forms and tests can press them as a user does.
  void Image3_Click(int Index);
  void Image4_Click(int Index);
  void Image5_Click(int Index);
  void Image6_Click(int Index);
  void Image7_Click(int Index);
  void Check1_Click();
  void mnu_createpass_Click();
  void mnu_changepass_Click();
  void mnu_rempassword_Click();
  void restore_menu_Click();
  void mnu_exit_Click();
  void help_menu2_Click();
  void about_menu_Click();
  void Image2_Click() { help_menu2_Click(); }
  void Picture_Click();
  void Timer1_Timer();

  void PlayClickSound1();
  void PlayClickSound2();

  // The Auto Tuner calls this when its run has ended: a close that the main window refused
  // during the run is carried out now. Does nothing when no close waited.
  void CloseWaitingForTheAutoTuner();

  ui::Ctl<ui::Label> Label21{this, "Label21"};
  ui::Ctl<ui::Frame> Frame54{this, "Frame54"};
  ui::Ctl<ui::VScrollBar> VScroll1{this, "VScroll1"};
  ui::Ctl<ui::Timer> Timer1{this, "Timer1"};
  ui::Ctl<ui::CheckBox> Check1{this, "Check1"};
  ui::Ctl<ui::Image> Image2{this, "Image2"};
  ui::Ctl<ui::PictureBox> Picture{this, "Picture"};
  ui::Ctl<ui::PictureBox> Picture6{this, "Picture6"};
  ui::Ctl<ui::PictureBox> Picture5{this, "Picture5"};
  ui::Ctl<ui::PictureBox> Picture7{this, "Picture7"};
  ui::Ctl<ui::PictureBox> Picture8{this, "Picture8"};
  ui::Ctl<ui::PictureBox> Picture2{this, "Picture2"};
  ui::Ctl<ui::PictureBox> Picture9{this, "Picture9"};
  ui::Ctl<ui::PictureBox> Picture1{this, "Picture1"};
  ui::Ctl<ui::PictureBox> Picture10{this, "Picture10"};
  ui::ControlArray<ui::Image> Image3{this, "Image3"};
  ui::ControlArray<ui::Image> Image4{this, "Image4"};
  ui::ControlArray<ui::Image> Image5{this, "Image5"};
  ui::ControlArray<ui::Image> Image6{this, "Image6"};
  ui::ControlArray<ui::Image> Image7{this, "Image7"};
  ui::ControlArray<ui::ProgressBar> vbalProgressBar1{this, "vbalProgressBar1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Deactivate() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void LoadCaptions();
  void ArrangeWidgetPanels();
  void KeepWidgetLabelsInTheirPanels();
  void ScrollWidgets();
  void UpdateResourceMonitor();
  void ShowCategoryPanel(ui::PictureBox& shown);
  void PromptRestorePoint();
  void CreateStartupRestorePoint();
  bool loading_ = false;
  // The unload mode of a close refused during an Auto Tuner run; -1 when none waits.
  int closeWaiting_ = -1;
};

inline ui::FormRef<FrmMain> frmmain;

// The folder of the program, without a trailing backslash.
std::string AppPath();
