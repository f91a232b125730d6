// Emptying a folder of 10,000 files in 100 folders: the More Tweaks page's folder walk on
// the hidden page against the plain platform loop (FindFirstFileEx, DeleteFile,
// RemoveDirectory) on an identical tree, in one run, the two alternating which goes first,
// best of three. Goal: ours at most 1.3 times the plain loop.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/ProgramState.h"
#include "support/stopwatch.h"
#include "support/file_tree.h"
#include "tweaks/frmMoreTweaks.h"

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRounds = 3;
constexpr double kGoal = 1.3;

// The plain loop: everything below the folder, depth first, the folder itself kept.
void PlainDelete(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      PlainDelete(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
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

  std::vector<double> ourTimes, plainTimes;
  bool complete = true;
  for (int round = 0; round < kRounds; ++round) {
    MakeTree(ourTree, kFolders, kFilesPerFolder);
    MakeTree(plainTree, kFolders, kFilesPerFolder);
    const int made = Left(ourTree) + Left(plainTree);
    double ours = 0, plain = 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((turn == 0) == (round % 2 == 0)) {
        const double t0 = Seconds();
        frmMoreTweaks->FolderDelete(platform::AnsiFromWide(ourTree), true, false);
        ours = Seconds() - t0;
      } else {
        const double t0 = Seconds();
        PlainDelete(plainTree);
        plain = Seconds() - t0;
      }
    }
    const int left = Left(ourTree) + Left(plainTree);
    complete = complete && made == 2 * kFolders * (kFilesPerFolder + 1) && left == 0;
    ourTimes.push_back(ours);
    plainTimes.push_back(plain);
    std::printf("round %d (%s first): ours %.3f s, plain %.3f s, %d entries made, %d left\n", round + 1,
                round % 2 == 0 ? "ours" : "plain", ours, plain, made, left);
  }
  RemoveTree(root);

  const double ours = *std::min_element(ourTimes.begin(), ourTimes.end());
  const double plain = *std::min_element(plainTimes.begin(), plainTimes.end());
  const double ratio = ours / plain;
  std::printf("folder walk of %d files in %d folders: ours %.3f s, plain loop %.3f s, ratio %.2f (goal %.1f)\n",
              kFolders * kFilesPerFolder, kFolders, ours, plain, ratio, kGoal);
  if (!complete) {
    std::printf("FAILED: the trees were not made or not emptied whole\n");
    return 1;
  }
  return ratio <= kGoal ? 0 : 1;
}
