#pragma once
// The keys and default values of a stock Windows 7 SP1 64-bit machine that a fresh Wine
// prefix lacks or holds otherwise, kept as .reg files in scripts/win7 (the format is in
// scripts/win7/README.md). scripts/run applies them to the sandbox prefix with
// apply_stock_registry.exe; the tests check that every file parses and applies.
//
// Applying goes line by line and keeps, in the prefix, a record of the lines it applied.
// A line is a key, or a value by its key and name, wherever it stands in the files: a
// comment, a line moved to another file or changed data does not make it new. Only lines
// new to the record are applied:
// - a key is created when it is missing;
// - a value is set when it is missing; a value that is there keeps what it holds;
// - a stock value ("stock:", a value Wine keeps otherwise than Windows 7) is set to the
//   data whatever the value holds.
// A line of the record is never applied again, whatever its data becomes, so what the
// sandbox's user deleted or changed stays so. Nor is a new line applied below a key of the
// record that is gone: the user deleted it, and it is not made again.
//
// Views: a key is written as named, in the native 64-bit view; a path through
// "Wow6432Node" (HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\...) names the 32-bit view, as a
// 64-bit registry editor exports it.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace stock {

struct RegData {
  std::string name;  // "" for the key's default value (@)
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;  // as stored (a REG_SZ with its terminating NUL)
  bool stock = false;       // set to the data when the line is new to the prefix
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

// The record of the lines applied to a prefix: one text per line, as LineId gives it.
using AppliedLines = std::set<std::string>;

// What identifies a key line, and a value line: the root, the path as written and the
// value's name, in lower case (the registry ignores their case); never the value's data.
std::string LineId(const RegEntry& entry);
std::string LineId(const RegEntry& entry, const RegData& value);

// Reads a record written by SaveApplied; a file that is not there is an empty record. False
// with `error` when the file is there but cannot be read or is not whole: a record cut short
// or otherwise damaged would let lines the user undid be applied again. A record of the
// earlier form (which named a value's data too, and had no end line) is read as the lines
// it names.
bool LoadApplied(const std::string& file, AppliedLines& lines, std::string& error);
// Writes the record whole, ending with a line that counts its lines.
bool SaveApplied(const std::string& file, const AppliedLines& lines, std::string& error);

// What ApplyNewLines made, so that a caller can take it away again.
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
  struct Replaced {
    HKEY root;
    std::string path;
    std::string name;
    platform::RegValue before;  // what a stock value replaced
  };
  std::vector<Key> keys;
  std::vector<Value> values;        // values set in keys that existed before
  std::vector<Replaced> replaced;   // stock values set over what the prefix held
  int keysCreated = 0;  // keys of the data that were missing (with their missing parents)
  int valuesSet = 0;    // missing values set, in new keys and in keys that were there
  int stockSet = 0;     // stock values set over a value that held something else
  int leftOut = 0;      // new lines not applied: below a key of the record that is gone
};

// Applies the lines of `entries` that are new to `applied` and adds them to it. False with
// `error` (naming the line) at the first key or value that cannot be made; what was made
// so far is in `added` and in `applied`.
bool ApplyNewLines(const std::vector<RegEntry>& entries, AppliedLines& applied, Added& added,
                   std::string& error);

// The keys and values of `entries` that a program does not find in the view they belong to,
// one line each ("<file>:<line>: <key> [value]"). Empty when all are there.
std::vector<std::string> FindMissing(const std::vector<RegEntry>& entries);

}  // namespace stock
