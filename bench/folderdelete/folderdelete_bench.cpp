// Emptying a folder of 10,000 files in 100 folders: the More Tweaks page's folder walk on
// the hidden page against the plain platform loop (FindFirstFileEx, DeleteFile,
// RemoveDirectory, one path buffer) on an identical tree, each tree made right before its
// run, the two alternating which goes first in each round. Goal: ours at most 1.3 times the
// plain loop (medians of the rounds).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/ProgramState.h"
#include "support/bench_rounds.h"
#include "support/file_tree.h"
#include "tweaks/frmMoreTweaks.h"

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
  const std::wstring ourTree = root + L"\\ours", plainTree = root + L"\\plain";
  RemoveTree(root);

  constexpr int kEntries = kFolders * (kFilesPerFolder + 1);
  bool complete = true;
  int madeOurs = 0, madePlain = 0;
  BenchSide ours{"ours", [&] { frmMoreTweaks->FolderDelete(platform::AnsiFromWide(ourTree), true, false); }};
  ours.prepare = [&] {
    MakeTree(ourTree, kFolders, kFilesPerFolder);
    madeOurs = Left(ourTree);
  };
  BenchSide plain{"plain", [&] {
                    std::wstring path = plainTree;
                    PlainDelete(path);
                  }};
  plain.prepare = [&] {
    MakeTree(plainTree, kFolders, kFilesPerFolder);
    madePlain = Left(plainTree);
  };
  const std::vector<BenchSide*> sides{&ours, &plain};
  RunRounds(kRounds, sides, [&](int round) {
    const int left = Left(ourTree) + Left(plainTree);
    complete = complete && madeOurs == kEntries && madePlain == kEntries && left == 0;
    std::printf("round %d (%s first): ours %.3f s, plain %.3f s, %d entries made, %d left\n", round + 1,
                FirstInRound(round, sides).name.c_str(), ours.times.Last(), plain.times.Last(), madeOurs + madePlain,
                left);
  });
  RemoveTree(root);

  const bool fast = ReportRatio("folder walk of " + std::to_string(kFolders * kFilesPerFolder) + " files in " +
                                    std::to_string(kFolders) + " folders:",
                                ours.times, plain.times, kGoal);
  if (!complete) std::printf("FAILED: the trees were not made or not emptied whole\n");
  const bool ok = complete && fast;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
