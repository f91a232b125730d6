#include "maintenance/JunkSearch.h"

#include <windows.h>

#include <climits>

#include "platform/folder_listing.h"
#include "platform/shell_ops.h"
#include "platform/wide_text.h"

namespace {

// A counter stops at the largest 32-bit signed value.
void CountOne(int32_t& counter) {
  if (counter < INT32_MAX) ++counter;
}

bool IsAscii(const wchar_t* name) {
  for (; *name; ++name)
    if (*name >= 0x80) return false;
  return true;
}

// The search lists folders wide, under their real names, and matches every name as it is
// against the wide patterns. The rows are ANSI text: a character the ANSI code page lacks
// becomes "?" in a row, never a letter that looks like it (that would name another file,
// which the page could then delete); the page deletes no row with a "?". A name of plain
// ASCII letters is the same either way and is neither converted nor copied; only a file
// that matches gets its ANSI path.
class Search {
 public:
  Search(JunkSearchState& state, JunkSearchObserver& observer, const std::string& folder)
      : state_(state),
        observer_(observer),
        listing_(platform::folderListing()),
        patterns_(platform::WideFromAnsi(state.JunkFilePatterns)),
        path_(platform::WideFromAnsi(folder)) {}

  // The folder's path is in path_, ending with "\".
  void Folder() {
    const size_t base = path_.size();
    // The ANSI calls that delete a row take a path of MAX_PATH characters at most, and the
    // folder's listing pattern is no longer than its files' paths.
    if (base + 3 > MAX_PATH) return;
    path_ += L"*.*";
    WIN32_FIND_DATAW found;
    HANDLE search = listing_.First(path_.c_str(), &found);
    path_.resize(base);
    if (search == INVALID_HANDLE_VALUE) return;
    ansiFolder_ = kNoFolder;
    do {
      Entry(found, base);
      path_.resize(base);
      CountOne(state_.FilesScanned);
      observer_.Scanned();
    } while (listing_.Next(search, &found));
    listing_.Close(search);
  }

 private:
  static constexpr size_t kNoFolder = static_cast<size_t>(-1);

  void Entry(const WIN32_FIND_DATAW& found, size_t base) {
    const wchar_t* name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Links lead off the drive or round in a circle; "." and ".." and folders whose name
      // begins with "." are not searched.
      if (name[0] == L'.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
          !state_.SearchSubFolders)
        return;
      path_ += name;
      path_ += L'\\';
      Folder();
      ansiFolder_ = kNoFolder;  // ansi_ may hold the sub-folder's path now
      CountOne(state_.FilesScanned);
      return;
    }
    if (!platform::PathMatchesSpec(name, patterns_.c_str())) return;
    CountOne(state_.FilesFound);
    if (ansiFolder_ != base) {
      Ansi(path_.data(), base, ansi_);
      ansiFolder_ = base;
      ansiBase_ = ansi_.size();
    }
    ansi_.resize(ansiBase_);
    if (IsAscii(name)) {
      for (const wchar_t* c = name; *c; ++c) ansi_ += static_cast<char>(*c);
    } else {
      Ansi(name, wcslen(name), ansiName_);
      ansi_ += ansiName_;
    }
    observer_.FileFound(ansi_);
  }

  // The text in the ANSI code page, "?" for each character that has no exact form there.
  static void Ansi(const wchar_t* text, size_t length, std::string& ansi) {
    ansi.clear();
    if (length == 0) return;
    const int n = static_cast<int>(length);
    // UTF-8 holds every character and takes neither the flag nor a default character.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* question = utf8 ? nullptr : "?";
    const int size = WideCharToMultiByte(CP_ACP, flags, text, n, nullptr, 0, question, nullptr);
    if (size <= 0) return;
    ansi.resize(size);
    WideCharToMultiByte(CP_ACP, flags, text, n, ansi.data(), size, question, nullptr);
  }

  JunkSearchState& state_;
  JunkSearchObserver& observer_;
  platform::FolderListing& listing_;
  const std::wstring patterns_;
  std::wstring path_;      // the one path of the walk
  std::string ansiName_;   // a name outside plain ASCII in ANSI
  std::string ansi_;       // the ANSI path of the folder listed (up to ansiBase_), then a name
  size_t ansiFolder_ = kNoFolder;  // the length of path_ that ansi_ holds the folder of
  size_t ansiBase_ = 0;
};

}  // namespace

void SearchFolder(const std::string& folder, JunkSearchState& state, JunkSearchObserver& observer) {
  Search search(state, observer, folder);
  search.Folder();
}
