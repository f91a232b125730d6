#pragma once
// The main window.
#include <string>

#include "ui/form.h"

class FrmMain : public ui::Form {
 public:
  FrmMain();

  ui::Ctl<ui::Label> Label21{this, "Label21"};
  ui::Ctl<ui::Menu> mnu_exit{this, "mnu_exit"};

  void LoadResize();
  void PlayClickSound1();
  void PlayClickSound2();

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  void mnu_exit_Click();
};

inline ui::FormRef<FrmMain> frmmain;

// The folder of the program, without a trailing backslash.
std::string AppPath();
