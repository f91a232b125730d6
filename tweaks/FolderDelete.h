#pragma once
// Deleting a folder's contents (and the folder) the way the temporary-folder cleaner does:
// depth first, subfolders before the files of a folder, nothing forced. Read-only files and
// folders and files in use stay, and each one left can be reported.
//
// Safety rules, whoever calls it (the program runs elevated, and C:\Windows\Temp is open to
// every user):
// - Only a full path on a drive letter is taken ("C:\..." or "\\?\C:\..."); a relative name
//   would be resolved against whatever the current folder happens to be.
// - A drive root, or a folder that is, holds or lies in a protected folder is left alone as
//   a whole (the result says why, naming the folder it protects): the Windows folder (inside
//   it only its Temp folder may be walked), both program files folders, the program data
//   folder, every user profile and the program's folder (their insides may be walked), and
//   each profile's own folders (Desktop, Documents, Downloads, Favorites, Music, Pictures,
//   Videos, AppData\Roaming, and AppData\Local itself).
// - Folders are compared by what the system opens, not only by their names: a link or
//   junction on the way ("C:\Documents and Settings") or a drive letter mapped or
//   substituted to a folder reaches the same folder under another name. A folder the system
//   cannot identify, or any protected folder it cannot identify, is left alone.
// - The walk is by handle (platform/handle_files.h): the folder is opened once and
//   identified on that handle; every entry is opened relative to its folder's handle,
//   never through a link, and listed and deleted through its own handle. A link is never
//   walked and what it points to is never touched: the link itself is removed where the
//   system can open it as a link, and is otherwise left in place and named.
// - Names outside the ANSI code page and paths longer than MAX_PATH are handled as they are.
#include <string>
#include <vector>

struct FolderDeleteResult {
  std::string refused;   // why the folder was left alone as a whole; "" when it was walked
  int notDeleted = 0;    // entries left in place (links left included)
  bool stopped = false;  // a folder could not be opened or listed: the walk ended there
  std::vector<std::wstring> linksLeft;  // full paths of the links left in place
};

// Deletes what the folder holds and, unless `blnContentOnly`, the folder itself. With
// `blnShowErrors` each entry that cannot be deleted, and each link left, is reported in a
// message box (its path, ": " and the reason); otherwise nothing is shown. A folder that
// cannot be opened or listed ends the whole walk at that point (reported when asked),
// leaving what was not reached yet. A folder that does not exist gives an empty result.
FolderDeleteResult FolderDelete(const std::wstring& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors);
// The same for a path in the ANSI code page.
FolderDeleteResult FolderDelete(const std::string& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors);

namespace platform {
struct OpenFolder;
}

// Deletes the folder `name` of the open folder `folder` (whose full path is `folderPath`),
// with everything it holds, the same way and by handle, without the questions about
// protected folders: for a caller that chose the entry from its own listing of that folder
// (the hotfix uninstall folders of the Windows folder). A link under the name is removed as
// a link or left and named.
FolderDeleteResult DeleteFolderEntry(const platform::OpenFolder& folder, const std::wstring& folderPath,
                                     const std::wstring& name, bool blnShowErrors);

// Why a folder must be left alone as a whole ("a drive root", "it is the Windows folder
// C:\Windows" ...), or "" when it may be walked (or is not there); `resolved` receives its
// full path when it could be resolved.
std::string FolderRefusal(const std::wstring& folder, std::wstring* resolved);

// The report line of a link left in place (after its path and ": ").
extern const char kLinkLeftText[];

// Told of each entry of a folder after the folder was listed and before the entry is
// opened: a test swaps an entry for a link there, as another program could at that moment.
class FolderWalkWatch {
 public:
  virtual ~FolderWalkWatch() = default;
  // `path` is the entry's full path ("\\?\C:\...").
  virtual void BeforeOpening(const std::wstring& path) = 0;
  static FolderWalkWatch& Real();
};
