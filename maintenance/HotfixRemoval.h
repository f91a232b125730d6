#pragma once
// Removing the uninstall information that installed hotfixes leave behind, in three steps:
// their entries in the list of installed programs (through WMI's registry provider), their
// "$NtUninstall...$" folders directly inside the Windows folder, and their log files
// directly inside it. Once removed, a hotfix can no longer be uninstalled.
//
//   HotfixRemoval removal;
//   removal.ReadWindowsFolder();
//   removal.RemoveUninstallEntries();
//   removal.RemoveUninstallFolders();
//   removal.RemoveLogFiles();
//   MsgBox(removal.ClosingText(), removal.ClosingStyle());
//
// Nothing is forced: a read-only or locked file stays, and so does the folder holding it.
// Whatever stays, and whatever could not be searched, is named in the closing message.
// The folder is listed and its entries deleted by handle, never through a link: a link
// under a hotfix name is removed as a link or left and named.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/handle_files.h"

// The display names of hotfix entries: "hotfix", or a K or Q with any number of B after it
// and six digits, anywhere in the text and in any case ("Security Update (KB923191)",
// "Q312345", "k123456"; "KB 123456" is not one).
bool IsHotfixName(const std::string& text);
// Hotfix log files: the same, directly followed by ".log" ("KB923191.log", "HOTFIX.LOG";
// not "hotfix.dll" nor "KB2345678.log", whose ".log" follows a seventh digit).
bool IsHotfixLog(const std::string& fileName);
// Hotfix uninstall folders: "$NTUNINSTALL" anywhere in the name, in any case.
bool IsUninstallFolder(const std::string& folderName);

class HotfixRemoval {
 public:
  // The Windows folder, read from the registry value "SystemRoot" through WMI. Without a
  // usable folder (the value cannot be read, or is no folder below a drive's root) the
  // folder steps search nothing, and the closing message says so.
  void ReadWindowsFolder();
  // Deletes each entry of the list of installed programs whose display name is a hotfix
  // name. Entries without a display name are left alone.
  void RemoveUninstallEntries();
  // Deletes, with their contents, the hotfix uninstall folders directly inside the Windows
  // folder.
  void RemoveUninstallFolders();
  // Deletes the hotfix log files directly inside the Windows folder.
  void RemoveLogFiles();

  // String 319 when nothing was met and everything could be searched; string 22 when all
  // that was met is gone and everything could be searched; otherwise what stayed and what
  // could not be searched.
  std::string ClosingText() const;
  UINT ClosingStyle() const;

 private:
  // Opens and lists the Windows folder; false (said once) when it cannot be.
  bool ListWindowsFolder(platform::OpenFolder* folder, std::vector<platform::FolderEntry>* entries);

  std::string windowsFolder_;
  bool listingFailed_ = false;  // said once, though both folder steps list the folder
  bool found_ = false;  // a hotfix entry, folder or log file was met
  std::vector<std::string> notRemoved_;
  std::vector<std::string> notSearched_;
};
