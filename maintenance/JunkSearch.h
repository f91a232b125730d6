#pragma once
// The junk cleaner's search: files found by name alone against a fixed list of patterns,
// depth first.
//
// Names are matched as they are, and folders are searched under their real names. The rows
// are ANSI text: a character the ANSI code page lacks becomes "?" (never a look-alike letter,
// which would name another file), and a folder whose listing pattern (its path and "*.*")
// passes MAX_PATH characters is not searched, as the ANSI calls that delete a row could not
// reach its files. The walk lists wide, through one reused path, and converts only the
// paths of files that match.
//
// What it counts: every entry met adds 1 to FilesScanned ("." and ".." of a searched
// folder included), and every sub-folder searched 1 more once its search has ended. It
// stays on the searched drive: a folder that is a link (a reparse point: junction,
// symbolic link, mount point) counts as an entry and is not searched. A folder whose name
// begins with "." is never searched. A folder that cannot be listed adds nothing.
#include <cstdint>
#include <string>

// The 24 patterns, separated by ";".
inline constexpr const char* kJunkFilePatterns =
    "*.tmp;mscreate.dir;*.$$$;*.gid;*.shd;*.---;*.~mp;~MSSETUP.T;~$*.DOC;*.wbk;*.~;~.*;~*.*;"
    "*.diz;*.syd;*.$*;*.fts;*.dmp;*.chk;*.bad;winzip.log;rbbad.cab;ff*.tmp;fff*.tmp?";

// The state of the last search; written only by the junk cleaner.
struct JunkSearchState {
  bool SearchSubFolders = false;  // "Search SubFolders" was ticked when the search began
  int32_t FilesFound = 0;         // files whose name matched
  int32_t FilesScanned = 0;       // entries looked at, plus one per sub-folder searched
  std::string JunkFilePatterns;
  std::string SearchRoot;         // the drive's root folder, ending with "\"
};
inline JunkSearchState JunkSearch;

// What a search tells as it goes.
class JunkSearchObserver {
 public:
  virtual ~JunkSearchObserver() = default;
  // A file matched: its full path (the folder's path and the name). FilesFound counts it.
  virtual void FileFound(const std::string& path) = 0;
  // FilesScanned changed.
  virtual void Scanned() = 0;
};

// Searches the folder (ending with "\") and, with SearchSubFolders, its sub-folders, by the
// state's patterns, adding to its counters; neither counter passes the largest 32-bit
// signed value.
void SearchFolder(const std::string& folder, JunkSearchState& state, JunkSearchObserver& observer);
