#pragma once
// A large folder tree for the benchmarks of the folder walks (the junk cleaner's search; a
// folder-size benchmark would share it): many files in a few hundred folders, a part of them
// named to match a pattern list, a deep chain of folders, names that bring the full path
// near MAX_PATH and a few names outside the ANSI code page. The files are empty. Built with
// the wide API on "\\?\" paths, so every name lands as given.
#include <windows.h>

#include <cstdint>
#include <string>

struct BenchTreeShape {
  int files = 100000;     // in all
  int folders = 220;      // below the root, the chain's and the long names' folder included
  int chainDepth = 30;    // folders nested one in the other: d01\d02\...\d30
  int junkEvery = 4;      // every fourth file gets a junk-like name (".tmp", ".chk", "~x.doc" ...)
  int longNames = 20;     // files whose full path is 259 characters long, then 258 ...
  int nonAnsiNames = 8;   // files whose name holds a character outside the ANSI code page
};

struct BenchTreeFigures {
  int64_t files = 0;     // files made
  int64_t folders = 0;   // folders made below the root
  int64_t matching = 0;  // files whose name matches the pattern list by PathMatchSpecW
  int deepest = 0;       // folders from the root down to the deepest one
  size_t longestPath = 0;  // characters of the longest file path
};

// Builds the tree in `root` (an existing, empty folder ending with "\": "K:\", "C:\x\") and
// counts the names that match `patterns` (";"-separated, as PathMatchSpecW takes them).
// False, with the reason on stderr, when a file or folder could not be made.
bool MakeBenchTree(const std::wstring& root, const BenchTreeShape& shape, const std::wstring& patterns,
                   BenchTreeFigures* figures);
