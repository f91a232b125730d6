#pragma once
// Folder sizes for the folder-size tree: a folder's sub-folders, and the sizes of the files
// below a folder added up. Every listing goes through platform::folderListing().
//
// On 64-bit Windows each call sees the native file system (the Windows folder's System32 is
// its own, not SysWOW64): the 32-bit program's file-system redirection is off during the
// call, on the calling thread, and on again when it returns.
//
// Paths are wide and plain (no "\\?\" prefix). A folder whose listing pattern (its path and
// "*") would not fit into MAX_PATH characters cannot be listed, as with the system's ANSI
// calls; so a walk that follows a link back to a folder above it ends there too.
#include <cstdint>
#include <string>
#include <vector>

// The size-sum record of a top-level folder.
struct FolderWalkStats {
  bool recurse = true;   // sum the sub-folders too
  uint64_t total = 0;    // bytes
  std::wstring path;     // the folder being summed, ending with "\"
};

// Adds the sizes of the files in `folder` (ending with "\") to stats.total, and with
// stats.recurse those below it. Entries whose name begins with "." are left out, files and
// folders alike; a folder that cannot be listed adds nothing.
void SumFolderFiles(const std::wstring& folder, FolderWalkStats& stats);

// The size of a folder with everything below it, every file counted (names beginning with
// "." too), as a folder's Size is reported by the system's scripting runtime: complete only
// when every part could be listed; `bytes` then holds all that could.
struct MeasuredSize {
  uint64_t bytes = 0;
  bool complete = true;
};
MeasuredSize MeasureFolder(const std::wstring& folder);

// A sub-folder: its name as listed, and in the ANSI code page (characters the code page
// lacks become "?").
struct SubFolder {
  std::wstring name;
  std::string ansiName;
};
// The sub-folders of `folder` (ending with "\") in the order of the listing, "." and ".."
// left out (other names beginning with "." are listed). False when the folder cannot be
// listed.
bool ListSubFolders(const std::wstring& folder, std::vector<SubFolder>* found);

// The size part of a node's text, its closing bracket included: megabytes with two
// decimals in the user's locale and no grouping, up to exactly 1024 MB ("1024.00 MB)"),
// gigabytes above ("1.00 GB)"); 1 MB is 1024 x 1024 bytes. A size that is not complete
// says so: "12.50 MB or more)".
std::string SizeText(uint64_t bytes, bool complete = true);
