#pragma once
// The shared-DLL page: finds the entries of the system's shared-DLL reference counts whose
// file no longer exists, lists them, and on request deletes them from the registry,
// offering a restore point first. Only the entries' names are read; their counts are
// never read or written, and the key is never created.
#include <cstdint>
#include <string>

#include "shell/PageFrame.h"

// HKEY_LOCAL_MACHINE: one value per shared file, named by the file's full path.
inline constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

class FrmSharedDLLs : public Page {
 public:
  FrmSharedDLLs();

  void ResizeSharedDLLs();
  // Handlers, public so that tests press them as a user does.
  void Command11_Click();  // Search For Invalid DLL's
  void Command31_Click();  // Remove Invalid Entries Above
  void Command1_Click();   // close

  ui::Ctl<ui::Label> Label10{this, "Label10"};
  ui::Ctl<ui::Label> Label13{this, "Label13"};
  ui::Ctl<ui::Label> Label14{this, "Label14"};
  ui::Ctl<ui::ListBox> List1{this, "List1"};
  ui::Ctl<ui::CommandButton> Command11{this, "Command11"};
  ui::Ctl<ui::CommandButton> Command31{this, "Command31"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void LoadCaptions();
  int32_t invalidCount_ = 0;    // names listed by the current scan
  int32_t entriesExamined_ = 0; // values enumerated by the current scan
};

inline ui::FormRef<FrmSharedDLLs> frmSharedDLLs;

// Whether anything (a file or folder, whatever its attributes) exists under the name as the
// system's native folders show it: on 64-bit Windows without the redirection of System32.
// False also when the name is no usable path or its drive is not ready.
bool SharedFileExists(const std::string& name);
