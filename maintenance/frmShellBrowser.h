#pragma once
// The special-folder browser: thirty of the shell's special folders in a drop-down list.
// The chosen one is shown inside the page, addressed by its item-ID list, and its
// file-system path (or why it has none) is written under it. Back and Forward step through
// the browser's history. The page reads and writes nothing else.
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "shell/PageFrame.h"
#include "ui/FolderBrowser.h"

class FrmShellBrowser : public Page {
 public:
  FrmShellBrowser();

  // Item-ID lists as they lie in memory: items that begin with their 16-bit little-endian
  // byte count (the two count bytes included), ended by a count of 0.

  // The count at pIDL; 0 for a null pIDL.
  int16_t GetItemIDSize(const void* pIDL);
  // The item after the one at pIDL; null at the terminator, for a null pIDL, and for a
  // count that cannot be an item's (above 32767, read as negative), which would lead
  // outside the list.
  const void* GetNextItemID(const void* pIDL);
  // The size of the whole list at pIDL, its two terminator bytes included; 0 for a null
  // pIDL and for a list larger than 32767 bytes.
  int16_t GetPIDLSize(const void* pIDL);
  // The file-system path of special folder nFolder (a CSIDL), "" when it has none; hWnd is
  // the owner window for the shell.
  std::string GetSpecialFolderPath(HWND hWnd, int nFolder);
  void ResizeShellBrowser();

  // Handlers, public so that tests use the page as a user does.
  void cboShellFolders_Click();
  void Command33_Click();  // Back
  void Command34_Click();  // Forward
  void Command1_Click();   // close

  ui::Ctl<ui::ComboBox> cboShellFolders{this, "cboShellFolders"};
  ui::Ctl<ui::FolderBrowser> ShellBrowser{this, "ShellBrowser"};
  ui::Ctl<ui::Label> Label20{this, "Label20"};
  ui::Ctl<ui::CommandButton> Command33{this, "Command33"};
  ui::Ctl<ui::CommandButton> Command34{this, "Command34"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;

 private:
  void Form_Initialize();
  void LoadCaptions();

  // The folders' display names by their CSIDL in decimal ("47"); filled once, when the
  // page is first made, and kept while the program runs.
  std::map<std::string, std::string> folderNames_;
  int loads_ = 0;  // counts the page's loads, so that a handler sees a close and reopen
};

inline ui::FormRef<FrmShellBrowser> frmShellBrowser;
