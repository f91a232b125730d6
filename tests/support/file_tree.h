#pragma once
// Folders and files for tests and benchmarks that delete files: a scratch folder of the
// test's own inside the real temporary folder, removed with everything in it (read-only
// entries included) when the object goes, and helpers that make entries in it.
//
//   ScratchFolder scratch;
//   MakeFile(scratch.Sub(L"a\\b.txt"));
//   MakeTree(scratch.Sub(L"tree"), 100, 100);   // 100 folders of 100 files
//
// Paths are wide and absolute; the helpers use "\\?\" paths, so long paths and names
// outside the ANSI code page work.
#include <windows.h>

#include <string>

#include "platform/wide_text.h"

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring Sub(const std::wstring& relative) const { return path_ + L"\\" + relative; }

 private:
  std::wstring path_;
};

// Creates the file (and the folders above it) with a few bytes in it.
void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
// Creates the folder and the folders above it.
void MakeFolder(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_DIRECTORY);
// `folders` folders named d0, d1 ... under `root`, each with `files` files f0.txt ...
void MakeTree(const std::wstring& root, int folders, int files);
// Whether anything exists at the path.
bool Exists(const std::wstring& path);
// Removes the folder and everything in it, read-only entries included; links are removed,
// never followed.
void RemoveTree(const std::wstring& path);

// The wide form of an ANSI text, and the reverse (characters the code page lacks become "?").
inline std::wstring Wide(const std::string& text) { return platform::WideFromAnsi(text); }
inline std::string Narrow(const std::wstring& text) { return platform::AnsiFromWide(text); }
