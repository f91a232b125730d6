#include "maintenance_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/file_tree.h"

void MakeSizedFile(const std::wstring& path, uint64_t bytes) {
  MakeFile(path);
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(bytes);
  EXPECT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
  EXPECT_TRUE(SetEndOfFile(file)) << GetLastError();
  CloseHandle(file);
}

bool RedirectedSystem32() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

uint64_t FilesBelow(const std::wstring& folder) {
  uint64_t total = 0;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) total += FilesBelow(folder + L"\\" + name);
    else total += (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return total;
}

void EmptyFolder(const std::wstring& folder, const std::vector<std::wstring>& keep) {
  std::wstring base = folder;
  if (base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<std::wstring> names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L".." && std::find(keep.begin(), keep.end(), name) == keep.end())
      names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  for (const std::wstring& name : names) RemoveTree(base + name);
}

std::wstring GuardedListing::Key(std::wstring folder) {
  CharLowerBuffW(folder.data(), static_cast<DWORD>(folder.size()));
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

void GuardedListing::MakeUnreadable(const std::wstring& folder) { unreadable_.push_back(Key(folder)); }

int GuardedListing::Listings(const std::wstring& folder) const {
  auto found = listings_.find(Key(folder));
  return found == listings_.end() ? 0 : found->second;
}

HANDLE GuardedListing::First(const wchar_t* pattern, WIN32_FIND_DATAW* found) {
  std::wstring folder = pattern;
  folder.erase(folder.find_last_of(L'\\') + 1);
  ++listings_[Key(folder)];
  ++total_;
  if (onList) onList(folder);
  if (std::find(unreadable_.begin(), unreadable_.end(), Key(folder)) != unreadable_.end()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  return platform::FolderListing::Real().First(pattern, found);
}

bool GuardedListing::Next(HANDLE search, WIN32_FIND_DATAW* found) {
  return platform::FolderListing::Real().Next(search, found);
}

void GuardedListing::Close(HANDLE search) { platform::FolderListing::Real().Close(search); }
