#pragma once
// The keys and default values of a stock Windows 7 SP1 64-bit machine that a fresh Wine
// prefix lacks, kept as .reg files in scripts/win7 (the format is in scripts/win7/README.md).
// scripts/run applies them to the sandbox prefix with apply_stock_registry.exe; the tests
// check that every file parses and applies.
//
// Applying only adds: a missing key is created and a missing value is set, but a value that
// is already there is left as it is, so a sandbox catches up with new data without losing
// what its user did in it.
//
// Views: a key is written as named, in the native 64-bit view; a path through
// "Wow6432Node" (HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\...) names the 32-bit view, as a
// 64-bit registry editor exports it.
#include <windows.h>

#include <string>
#include <vector>

namespace stock {

struct RegData {
  std::string name;  // "" for the key's default value (@)
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;  // as stored (a REG_SZ with its terminating NUL)
  int line = 0;
};

struct RegEntry {
  std::string file;
  int line = 0;
  HKEY root = nullptr;
  std::string rootName;  // HKEY_LOCAL_MACHINE ...
  std::string path;      // below the root, as written
  std::vector<RegData> values;

  std::string Name() const { return rootName + "\\" + path; }
  // The view a program sees the key in, and the path it opens there: a path through
  // Wow6432Node is the 32-bit view's key without that step.
  REGSAM View() const;
  std::string ViewPath() const;
};

// Parses the text of one file. On the first fault returns false with `error` set to
// "<file>:<line>: <what is wrong>"; `entries` then holds the keys before it.
bool ParseRegFile(const std::string& text, const std::string& file,
                  std::vector<RegEntry>& entries, std::string& error);

// Every *.reg file of `folder`, in name order. False with `error` when the folder has none,
// one cannot be read, or one does not parse.
bool LoadRegFolder(const std::string& folder, std::vector<RegEntry>& entries,
                   std::vector<std::string>& files, std::string& error);

// What ApplyMissing made, so that a caller can take it away again.
struct Added {
  struct Key {
    HKEY root;
    std::string path;  // the topmost key that did not exist, as written in the data
  };
  struct Value {
    HKEY root;
    std::string path;
    std::string name;
  };
  std::vector<Key> keys;
  std::vector<Value> values;  // values set in keys that existed before
  int keysCreated = 0;        // keys of the data that were missing (with their missing parents)
  int valuesSet = 0;          // values set, in new keys and in keys that were there
};

// Creates the missing keys and sets the missing values. False with `error` (naming the
// entry) at the first key or value that cannot be made; what was made so far is in `added`.
bool ApplyMissing(const std::vector<RegEntry>& entries, Added& added, std::string& error);

// The keys and values of `entries` that a program does not find in the view they belong to,
// one line each ("<file>:<line>: <key> [value]"). Empty when all are there.
std::vector<std::string> FindMissing(const std::vector<RegEntry>& entries);

}  // namespace stock
