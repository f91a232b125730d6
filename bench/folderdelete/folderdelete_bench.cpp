// Emptying a folder of 10,000 files in 100 folders: the More Tweaks page's folder walk on
// the hidden page against the plain platform loop that deletes the same way, by handle
// (each entry listed through its folder's handle, opened relative to it without following a
// link, its name checked against the folder's, deleted through its own handle), on an
// identical tree, each tree made right before its run, the sides taking turns at going
// first. Goal: ours at most 1.3 times the plain handle loop (medians of the rounds).
//
// What walking by handle costs is shown against a third side, the plain loop by path
// (FindFirstFileEx, DeleteFile, RemoveDirectory, one path buffer), which follows a link
// wherever it leads: no goal.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/ProgramState.h"
#include "support/bench_rounds.h"
#include "support/file_tree.h"
#include "tweaks/frmMoreTweaks.h"

extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE file, HANDLE event, PVOID apcRoutine, PVOID apcContext,
                                               PIO_STATUS_BLOCK ioStatus, PVOID buffer, ULONG length,
                                               FILE_INFORMATION_CLASS informationClass, BOOLEAN singleEntry,
                                               PUNICODE_STRING fileName, BOOLEAN restartScan);

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;
constexpr double kGoal = 1.3;

// The plain loop: everything below the folder, depth first, the folder itself kept. `path`
// holds the folder's path and is the one buffer of the walk.
void PlainDelete(std::wstring& path) {
  const size_t base = path.size();
  path += L"\\*";
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    path.resize(base);
    return;
  }
  do {
    const wchar_t* name = found.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    path.resize(base + 1);
    path += name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      PlainDelete(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  path.resize(base);
}

// The plain handle loop: everything below the open folder `folder`, whose object name is
// `name`, depth first; an entry whose handle names anything but `name`, "\\" and its own
// name (a link the system followed) is left.
void PlainHandleDelete(HANDLE folder, const std::wstring& name) {
  std::vector<BYTE> listing(64 * 1024);
  struct Entry {
    std::wstring name;
    bool folder;
  };
  std::vector<Entry> entries;
  for (BOOLEAN restart = TRUE;; restart = FALSE) {
    IO_STATUS_BLOCK io{};
    if (NtQueryDirectoryFile(folder, nullptr, nullptr, nullptr, &io, listing.data(),
                             static_cast<ULONG>(listing.size()), FileDirectoryInformation, FALSE, nullptr,
                             restart) < 0 ||
        io.Information == 0)
      break;
    for (const BYTE* at = listing.data();;) {
      const auto* entry = reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(at);
      std::wstring entryName(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (entryName != L"." && entryName != L"..")
        entries.push_back({std::move(entryName), (entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
      if (!entry->NextEntryOffset) break;
      at += entry->NextEntryOffset;
    }
  }
  alignas(8) BYTE objectName[2048];
  for (const Entry& entry : entries) {
    UNICODE_STRING relative;
    relative.Buffer = const_cast<PWSTR>(entry.name.c_str());
    relative.Length = relative.MaximumLength = static_cast<USHORT>(entry.name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &relative, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE handle = nullptr;
    const ULONG kind = entry.folder ? FILE_DIRECTORY_FILE : FILE_NON_DIRECTORY_FILE;
    if (NtCreateFile(&handle, DELETE | SYNCHRONIZE | (entry.folder ? FILE_LIST_DIRECTORY : 0), &attributes, &io,
                     nullptr, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN,
                     kind | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT | FILE_OPEN_REPARSE_POINT,
                     nullptr, 0) < 0)
      continue;
    const std::wstring expected = name + L"\\" + entry.name;
    ULONG length = 0;
    const auto* actual = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(objectName);
    if (NtQueryObject(handle, ObjectNameInformation, objectName, sizeof(objectName), &length) >= 0 &&
        actual->Name.Length == expected.size() * sizeof(wchar_t) &&
        CompareStringOrdinal(actual->Name.Buffer, static_cast<int>(expected.size()), expected.c_str(),
                             static_cast<int>(expected.size()), TRUE) == CSTR_EQUAL) {
      if (entry.folder) PlainHandleDelete(handle, expected);
      FILE_DISPOSITION_INFORMATION disposition{};
      disposition.DoDeleteFile = TRUE;
      NtSetInformationFile(handle, &io, &disposition, sizeof(disposition), FileDispositionInformation);
    }
    NtClose(handle);
  }
}

void PlainHandleDelete(const std::wstring& path) {
  HANDLE folder = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return;
  alignas(8) BYTE objectName[2048];
  ULONG length = 0;
  if (NtQueryObject(folder, ObjectNameInformation, objectName, sizeof(objectName), &length) >= 0) {
    const auto* name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(objectName);
    PlainHandleDelete(folder, std::wstring(name->Name.Buffer, name->Name.Length / sizeof(wchar_t)));
  }
  CloseHandle(folder);
}

// Files and folders left below the folder.
int Left(const std::wstring& folder) {
  int count = 0;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    ++count;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += Left(folder + L"\\" + name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return count;
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"QuenvorBench.folderdelete";
  const std::wstring ourTree = root + L"\\ours", plainTree = root + L"\\plain", pathTree = root + L"\\path";
  RemoveTree(root);

  constexpr int kEntries = kFolders * (kFilesPerFolder + 1);
  bool complete = true;
  int madeOurs = 0, madePlain = 0, madePath = 0;
  BenchSide ours{"ours", [&] { frmMoreTweaks->FolderDelete(platform::AnsiFromWide(ourTree), true, false); }};
  ours.prepare = [&] {
    MakeTree(ourTree, kFolders, kFilesPerFolder);
    madeOurs = Left(ourTree);
  };
  BenchSide plain{"plain handle loop", [&] { PlainHandleDelete(plainTree); }};
  plain.prepare = [&] {
    MakeTree(plainTree, kFolders, kFilesPerFolder);
    madePlain = Left(plainTree);
  };
  BenchSide byPath{"plain path loop", [&] {
                     std::wstring path = pathTree;
                     PlainDelete(path);
                   }};
  byPath.prepare = [&] {
    MakeTree(pathTree, kFolders, kFilesPerFolder);
    madePath = Left(pathTree);
  };
  const std::vector<BenchSide*> sides{&ours, &plain, &byPath};
  RunRounds(kRounds, sides, [&](int round) {
    const int left = Left(ourTree) + Left(plainTree) + Left(pathTree);
    complete = complete && madeOurs == kEntries && madePlain == kEntries && madePath == kEntries && left == 0;
    std::printf("round %d (%s first): ours %.3f s, plain handle loop %.3f s, plain path loop %.3f s, %d entries "
                "made, %d left\n",
                round + 1, FirstInRound(round, sides).name.c_str(), ours.times.Last(), plain.times.Last(),
                byPath.times.Last(), madeOurs + madePlain + madePath, left);
  });
  RemoveTree(root);

  const std::string what =
      "folder walk of " + std::to_string(kFolders * kFilesPerFolder) + " files in " + std::to_string(kFolders) + " folders:";
  const bool fast = ReportRatio(what, ours.times, plain.times, kGoal, "plain handle loop");
  std::printf("what walking by handle costs (no goal): plain handle loop %.3f s / plain path loop %.3f s = %.2f; "
              "ours / plain path loop = %.2f\n",
              plain.times.Median(), byPath.times.Median(), plain.times.Median() / byPath.times.Median(),
              ours.times.Median() / byPath.times.Median());
  if (!complete) std::printf("FAILED: the trees were not made or not emptied whole\n");
  const bool ok = complete && fast;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
