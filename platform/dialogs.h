#pragma once
// Modal system UI: message boxes, the restart dialog, file-open and folder dialogs.
// Everything the program shows modally from the system goes through here, so tests can
// answer it and read what was shown.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/seam.h"

namespace platform {

struct OpenFileRequest {
  HWND owner = nullptr;
  std::string title;
  std::string filter;      // "Programs|*.exe|All files|*.*" style, '|' separated
  std::string initialDir;
  DWORD flags = 0;         // OFN_* flags
  std::string fileName;    // in: default name; out: the chosen path
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // MessageBoxA: returns the button pressed (IDOK, IDYES ...). The box is modal to the
  // program: it is owned by `owner`, or when that is null by the program's active window,
  // or when there is none it is task-modal; every other window of the program stays
  // disabled while it is up, also for a system-modal box.
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& title,
                         UINT style) = 0;
  // The system restart dialog (shell32 ordinal 59): returns its result (IDYES when the
  // restart was started, 0 or IDNO otherwise).
  virtual int RestartDialog(HWND owner, const std::string& prompt, DWORD flags) = 0;
  // GetOpenFileNameA: false when cancelled.
  virtual bool OpenFile(OpenFileRequest& request) = 0;
  // SHBrowseForFolderA: the chosen item's ID list, which the caller frees with
  // CoTaskMemFree, or null when cancelled. While the dialog is up it calls info.lpfn (when
  // set) with its window and the BFFM_* notifications.
  virtual LPITEMIDLIST BrowseForFolder(BROWSEINFOA& info) = 0;

  static Dialogs& Real();
};

inline Dialogs& dialogs() { return Seam<Dialogs>::Get(); }

}  // namespace platform
