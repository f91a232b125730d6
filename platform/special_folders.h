#pragma once
// The shell's special folders by their CSIDL number: the item-ID list of a folder and its
// file-system path. Tests replace them: which folders have a path, and what the shell says
// of the virtual ones, differs between Windows and Wine.
#include <windows.h>
#include <shlobj.h>

#include "platform/seam.h"

namespace platform {

class SpecialFolders {
 public:
  virtual ~SpecialFolders() = default;
  // SHGetSpecialFolderLocation: on success *list is a list that the caller frees with
  // CoTaskMemFree.
  virtual HRESULT Location(HWND owner, int csidl, LPITEMIDLIST* list) = 0;
  // SHGetSpecialFolderPathA into a buffer of MAX_PATH characters, never creating the folder.
  virtual BOOL Path(HWND owner, char* buffer, int csidl) = 0;
  // SHGetPathFromIDListA into a buffer of MAX_PATH characters.
  virtual BOOL PathFromIDList(LPCITEMIDLIST list, char* buffer) = 0;
  static SpecialFolders& Real();
};
inline SpecialFolders& specialFolders() { return Seam<SpecialFolders>::Get(); }

}  // namespace platform
