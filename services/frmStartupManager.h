#pragma once
// The Startup Manager page: the programs Windows starts from the Run and RunOnce keys, one
// key at a time (on 64-bit Windows also the machine-wide pair of the 32-bit view, marked
// "(WOW64)"). Ticked entries are removed after an offered restore point; new entries are
// added for this user or every user, to run at every start or once.
#include <windows.h>

#include <string>

#include "shell/PageFrame.h"
#include "ui/ListView.h"

class FrmStartupManager : public Page {
 public:
  FrmStartupManager();

  void Combo4_Click();
  void Command44_Click();  // remove the ticked entries
  void Command7_Click();   // add an entry
  void Command1_Click();   // close
  void vbalListViewCtl1_ColumnClick(ui::ListViewColumn& column);
  void ResizeStartupManager();
  // Appends one row per value of root\path, read through the view of `readMask`; a key
  // that cannot be opened adds nothing.
  void LoadRunKey(HKEY root, const std::string& path, REGSAM readMask);

  ui::Ctl<ui::Frame> Frame38{this, "Frame38"};
  ui::Ctl<ui::PictureBox> Picture1{this, "Picture1"};
  ui::Ctl<ui::Image> Image1{this, "Image1"};
  ui::Ctl<ui::ComboBox> Combo4{this, "Combo4"};
  ui::Ctl<ui::ListView> vbalListViewCtl1{this, "vbalListViewCtl1"};
  ui::Ctl<ui::CommandButton> Command44{this, "Command44"};
  ui::Ctl<ui::CommandButton> Command7{this, "Command7"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  bool OfferRestorePoint();
};

inline ui::FormRef<FrmStartupManager> frmStartupManager;
