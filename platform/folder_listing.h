#pragma once
// Listing the entries of a folder: FindFirstFileExW (basic information, large fetches),
// FindNextFileW, FindClose. A seam, because under Wine nothing is reliably unreadable
// (file permissions do not bind the administrator the tests run as): a test makes a
// folder that cannot be listed, or acts at the moment a folder is listed.
#include <windows.h>

#include "platform/seam.h"

namespace platform {

class FolderListing {
 public:
  virtual ~FolderListing() = default;
  // The first entry matching the pattern (a folder followed by "*"): a search handle, or
  // INVALID_HANDLE_VALUE with the thread's last error set.
  virtual HANDLE First(const wchar_t* pattern, WIN32_FIND_DATAW* found) = 0;
  // The next entry; false at the end (ERROR_NO_MORE_FILES) or on a failure.
  virtual bool Next(HANDLE search, WIN32_FIND_DATAW* found) = 0;
  virtual void Close(HANDLE search) = 0;

  static FolderListing& Real();
};

inline FolderListing& folderListing() { return Seam<FolderListing>::Get(); }

}  // namespace platform
