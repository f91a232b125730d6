#pragma once
// The about box: title, version, description, credits and links to our web pages.
#include <windows.h>

#include <string>

#include "shell/PageFrame.h"
#include "ui/HyperLink.h"

// Our web addresses.
inline constexpr const char* kControlsWebPage = "https://quenvor.example/controls/";
inline constexpr const char* kHomeWebPage = "https://quenvor.example/";
inline constexpr const char* kCommunityWebPage = "https://quenvor.example/community/";

class FrmAbout : public Page {
 public:
  FrmAbout();
  ui::Ctl<ui::Label> lblTitle{this, "lblTitle"};
  ui::Ctl<ui::Label> lblVersion{this, "lblVersion"};
  ui::Ctl<ui::Label> lblDescription{this, "lblDescription"};
  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::Label> Label2{this, "Label2"};
  ui::Ctl<ui::Label> Label3{this, "Label3"};
  ui::Ctl<ui::Label> Label4{this, "Label4"};
  ui::Ctl<ui::HyperLink> mkcHyperLinks4{this, "mkcHyperLinks4"};
  ui::Ctl<ui::HyperLink> mkcHyperLinks2{this, "mkcHyperLinks2"};
  ui::Ctl<ui::PictureBox> Picture{this, "Picture"};
  ui::Ctl<ui::CommandButton> cmdOK{this, "cmdOK"};

  void cmdOK_Click();
  void Picture_Click();

  // Reads the text or DWORD value SubKeyRef of KeyRoot\KeyName (RegReadAccess) into KeyVal
  // as text (a DWORD in decimal). False, with KeyVal "", when the key or value cannot be
  // read or holds another type.
  bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                   std::string& KeyVal);
  // Starts the system information tool from the path the registry gives; res 514 when
  // there is none or it cannot be started.
  void StartSysInfo();

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
};

inline ui::FormRef<FrmAbout> frmAbout;
