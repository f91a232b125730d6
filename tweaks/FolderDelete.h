#pragma once
// Deleting a folder's contents (and the folder) the way the temporary-folder cleaner does:
// depth first, subfolders before the files of a folder, nothing forced. Read-only files and
// folders and files in use stay, and each one left can be reported.
//
// Safety rules, whoever calls it:
// - The folder is resolved to a full path first. A folder that is not on a drive letter, a
//   drive root, or a folder that is or holds the Windows folder, a user profile (the
//   user's own, or any folder in the profiles folder) or the program's folder is left alone
//   as a whole (the result says why, naming the folder it protects).
// - Folders are compared by what the system opens, not only by their names: a link or
//   junction on the way ("C:\Documents and Settings") or a drive letter mapped or
//   substituted to a folder reaches the same folder under another name. A folder the system
//   cannot identify, or any protected folder it cannot identify, is left alone.
// - Links are never followed: a folder entry that is a link (a reparse point) is not walked;
//   it is removed as a link where the system can, and otherwise left (and reported).
// - The walk uses the system's wide-character calls with "\\?\" paths, so names outside
//   the ANSI code page and paths longer than MAX_PATH are deleted as they are, never as a
//   cut or "?"-substituted name.
#include <string>

struct FolderDeleteResult {
  std::string refused;   // why the folder was left alone as a whole; "" when it was walked
  int notDeleted = 0;    // entries left in place
  bool stopped = false;  // a folder could not be listed: the walk ended there
};

// Deletes what the folder holds and, unless `blnContentOnly`, the folder itself. With
// `blnShowErrors` each entry that cannot be deleted is reported in a message box (its path,
// ": " and the system's text for the error); otherwise nothing is shown. A folder that
// cannot be listed ends the whole walk at that point (reported when asked), leaving what
// was not reached yet. A folder that does not exist gives an empty result.
FolderDeleteResult FolderDelete(const std::wstring& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors);
// The same for a path in the ANSI code page.
FolderDeleteResult FolderDelete(const std::string& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors);

// Why a folder must be left alone as a whole ("a drive root", "it is the Windows folder
// C:\Windows" ...), or "" when it may be walked (or is not there); `resolved` receives its
// full path when it could be resolved.
std::string FolderRefusal(const std::wstring& folder, std::wstring* resolved);
