#include "maintenance/FolderSizes.h"

#include <windows.h>

#include "platform/folder_listing.h"
#include "platform/locale_numbers.h"
#include "platform/native_folders.h"
#include "platform/wide_text.h"
#include "shell/ProgramState.h"

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

uint64_t FileBytes(const WIN32_FIND_DATAW& found) {
  return (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

// Calls visit(entry) for every entry of the folder whose path (ending with "\") is in the
// buffer, "." and ".." left out. The buffer is the same at the end. False when the folder
// cannot be listed, or its listing broke off.
template <class Visit>
bool ListFolder(std::wstring& path, Visit&& visit) {
  const size_t base = path.size();
  if (base + 1 >= MAX_PATH) return false;
  path.push_back(L'*');
  WIN32_FIND_DATAW found;
  platform::FolderListing& listing = platform::folderListing();
  HANDLE search = listing.First(path.c_str(), &found);
  path.resize(base);
  // Nothing matched in a folder that is there: a drive's empty root folder, which has no
  // "." and ".." entries.
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool more = true;
  while (more) {
    if (!IsDotOrDotDot(found.cFileName)) visit(found);
    path.resize(base);
    more = listing.Next(search, &found);
  }
  const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
  listing.Close(search);
  return whole;
}

// Adds up the files below the folder in the buffer; false when a part could not be listed.
bool AddFiles(std::wstring& path, bool dotNames, bool recurse, uint64_t& total) {
  bool complete = true;
  complete &= ListFolder(path, [&](const WIN32_FIND_DATAW& entry) {
    if (!dotNames && entry.cFileName[0] == L'.') return;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      total += FileBytes(entry);
    } else if (recurse) {
      path.append(entry.cFileName);
      path.push_back(L'\\');
      complete &= AddFiles(path, dotNames, recurse, total);
    }
  });
  return complete;
}

// The file system as it is: a 32-bit program on 64-bit Windows would otherwise list
// SysWOW64 in the place of System32 (counting it twice and System32 never). Only the walk
// runs inside; it loads no library and shows nothing.
platform::NativeSystemFolders NativeWalk() { return platform::NativeSystemFolders(Is64BitWindows()); }

}  // namespace

void SumFolderFiles(const std::wstring& folder, FolderWalkStats& stats) {
  std::wstring path = folder;
  const platform::NativeSystemFolders native = NativeWalk();
  AddFiles(path, false, stats.recurse, stats.total);
}

MeasuredSize MeasureFolder(const std::wstring& folder) {
  MeasuredSize size;
  std::wstring path = folder;
  if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
  const platform::NativeSystemFolders native = NativeWalk();
  size.complete = AddFiles(path, true, true, size.bytes);
  return size;
}

bool ListSubFolders(const std::wstring& folder, std::vector<SubFolder>* found) {
  std::wstring path = folder;
  const platform::NativeSystemFolders native = NativeWalk();
  return ListFolder(path, [&](const WIN32_FIND_DATAW& entry) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      found->push_back({entry.cFileName, platform::AnsiFromWide(entry.cFileName)});
  });
}

std::string SizeText(uint64_t bytes, bool complete) {
  const double megabytes = static_cast<double>(bytes) / 1024 / 1024;
  const bool gigabytes = megabytes > 1024;
  const std::string figure = platform::LocaleNumber(gigabytes ? megabytes / 1024 : megabytes, 2, false);
  return figure + (gigabytes ? " GB" : " MB") + (complete ? ")" : " or more)");
}
