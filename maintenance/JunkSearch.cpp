#include "maintenance/JunkSearch.h"

#include <windows.h>

#include <climits>
#include <string_view>

#include "shell/ProgramState.h"

namespace {

// A counter stops at the largest 32-bit signed value.
void CountOne(int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

class Search {
 public:
  Search(JunkSearchState& state, JunkSearchObserver& observer)
      : state_(state), observer_(observer) {}

  // The folder's path is in path_, ending with "\".
  void Folder() {
    const size_t base = path_.size();
    path_ += "*.*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileExA(path_.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    path_.resize(base);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      Entry(found);
      path_.resize(base);
      CountOne(state_.FilesScanned);
      observer_.Scanned();
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  std::string path_;

 private:
  void Entry(const WIN32_FIND_DATAA& found) {
    const std::string_view name = found.cFileName;  // up to its NUL
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Links lead off the drive or round in a circle; "." and ".." and folders whose name
      // begins with "." are not searched.
      if (name[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
          !state_.SearchSubFolders)
        return;
      path_.append(name);
      path_ += '\\';
      Folder();
      CountOne(state_.FilesScanned);
      return;
    }
    if (!MatchesSpec(found.cFileName, state_.JunkFilePatterns)) return;
    CountOne(state_.FilesFound);
    path_.append(name);
    observer_.FileFound(path_);
  }

  JunkSearchState& state_;
  JunkSearchObserver& observer_;
};

}  // namespace

void SearchFolder(const std::string& folder, JunkSearchState& state, JunkSearchObserver& observer) {
  Search search(state, observer);
  search.path_ = folder;
  search.Folder();
}
