#pragma once
// Fixtures of the maintenance pages' tests: the drives and links that prepare.sh makes,
// files of a chosen size, and folder listings with folders made unreadable.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/folder_listing.h"
#include "platform/seam.h"

// prepare.sh: U: and J: are folders of the prefix; J:\linked leads to kCanaryFolder.
inline const std::wstring kUsageDrive = L"U:\\";
inline const std::wstring kJunkDrive = L"J:\\";
inline const std::wstring kCanaryFolder = L"C:\\QuenvorMaintenance\\canary";
inline const std::wstring kLoopFolder = L"C:\\QuenvorMaintenance\\loop";  // loop\back is loop

// The native System32 as a 32-bit program on 64-bit Windows names it while its file-system
// redirection is on (C:\windows\system32 is SysWOW64 then); on the host it is the
// prefix's drive_c/windows/system32.
inline const std::wstring kNativeSystem32 = L"C:\\windows\\Sysnative";
// Whether this 32-bit program runs on 64-bit Windows (its System32 is redirected).
bool RedirectedSystem32();
// The sizes of all files below the folder added up, by a plain walk of the test's own
// (with the redirection as it is).
uint64_t FilesBelow(const std::wstring& folder);

// A file of exactly `bytes` bytes, made as a hole (no space is used on the host), and the
// folders above it.
void MakeSizedFile(const std::wstring& path, uint64_t bytes);

// Removes everything in the folder but the entries named in `keep`.
void EmptyFolder(const std::wstring& folder, const std::vector<std::wstring>& keep = {});

// The system's folder listings, except for folders the test made unreadable (their
// listing fails with ERROR_ACCESS_DENIED), with a count of the listings of each folder and
// a hook that runs as a folder is about to be listed. Installed for its own scope.
class GuardedListing : public platform::FolderListing {
 public:
  GuardedListing() : use_(*this) {}
  // Folders as listed (the path before "*"), compared without regard to case.
  void MakeUnreadable(const std::wstring& folder);
  std::function<void(const std::wstring& folder)> onList;
  int Listings(const std::wstring& folder) const;
  int TotalListings() const { return total_; }

  HANDLE First(const wchar_t* pattern, WIN32_FIND_DATAW* found) override;
  bool Next(HANDLE search, WIN32_FIND_DATAW* found) override;
  void Close(HANDLE search) override;

 private:
  static std::wstring Key(std::wstring folder);
  std::vector<std::wstring> unreadable_;
  std::map<std::wstring, int> listings_;
  int total_ = 0;
  platform::Override<platform::FolderListing> use_;
};
