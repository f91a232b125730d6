#pragma once
// The shell's special folders as a test describes them, folder by folder (by CSIDL); what
// the test leaves undescribed comes from the real shell of the test prefix.
//
//   FakeSpecialFolders folders;
//   platform::Override<platform::SpecialFolders> useFolders(folders);
//   folders.missing.insert(CSIDL_DESKTOP);
//   folders.paths[CSIDL_BITBUCKET] = "";   // the shell gives the Recycle Bin no path
#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/special_folders.h"

class FakeSpecialFolders : public platform::SpecialFolders {
 public:
  // Folders whose item-ID list the shell does not give (E_FAIL).
  std::set<int> missing;
  // Folders whose list is made of `oversized` bytes of items (several items, each of at
  // most 32767 bytes, then the terminator), an empty folder of each item.
  std::map<int, size_t> oversized;
  // What SHGetSpecialFolderPathA gives: "" fails and leaves the buffer empty.
  std::map<int, std::string> paths;
  // What SHGetPathFromIDListA gives for the folder's list: nothing fails.
  std::map<int, std::optional<std::string>> listPaths;

  HRESULT Location(HWND owner, int csidl, LPITEMIDLIST* list) override;
  BOOL Path(HWND owner, char* buffer, int csidl) override;
  BOOL PathFromIDList(LPCITEMIDLIST list, char* buffer) override;

 private:
  std::map<LPCITEMIDLIST, int> given_;  // the lists handed out, by their folder
};
