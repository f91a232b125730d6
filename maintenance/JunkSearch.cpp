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

// The search lists folders wide and sees every entry as the system's ANSI listing
// (FindFirstFileA) shows it: the name in the ANSI code page (a character the code page
// lacks becomes "?", or the nearest letter it has), and a sub-folder searched under that
// name turned back to wide, as the ANSI listing does with a path it is given. A name of
// plain ASCII letters is the same either way and is neither converted nor copied; only a
// file that matches gets its ANSI path. The names are matched as MatchesSpec matches them:
// the wide form of the ANSI name against the wide patterns.
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
    // The ANSI listing takes a pattern of MAX_PATH characters at most.
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
    const bool ascii = IsAscii(name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Links lead off the drive or round in a circle; "." and ".." and folders whose name
      // begins with "." are not searched.
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !state_.SearchSubFolders) return;
      if (ascii) {
        if (name[0] == L'.') return;
        path_ += name;
      } else {
        const int n = AnsiName(name);
        if (n == 0 || ansiName_[0] == '.') return;
        AppendWide(ansiName_, n);
      }
      path_ += L'\\';
      Folder();
      ansiFolder_ = kNoFolder;  // ansi_ may hold the sub-folder's path now
      CountOne(state_.FilesScanned);
      return;
    }
    const wchar_t* matched = name;
    int n = 0;
    if (!ascii) {
      n = AnsiName(name);
      wideName_.assign(Wide(ansiName_, n));
      matched = wideName_.c_str();
    }
    if (!platform::PathMatchesSpec(matched, patterns_.c_str())) return;
    CountOne(state_.FilesFound);
    if (ansiFolder_ != base) {
      ansi_ = platform::AnsiFromWide(path_.substr(0, base));
      ansiFolder_ = base;
      ansiBase_ = ansi_.size();
    }
    ansi_.resize(ansiBase_);
    if (ascii)
      for (const wchar_t* c = name; *c; ++c) ansi_ += static_cast<char>(*c);
    else
      ansi_.append(ansiName_, n);
    observer_.FileFound(ansi_);
  }

  // The name as the ANSI listing gives it, in ansiName_ (its length; the listing's
  // buffer holds MAX_PATH - 1 characters).
  int AnsiName(const wchar_t* name) {
    int n = WideCharToMultiByte(CP_ACP, 0, name, -1, ansiName_, MAX_PATH, nullptr, nullptr);
    if (n == 0) {
      // Longer than the buffer in a code page of two-byte characters: cut.
      n = WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(wcslen(name)), ansiName_, MAX_PATH - 1,
                              nullptr, nullptr);
      ansiName_[n] = '\0';
      return n;
    }
    return n - 1;
  }

  std::wstring Wide(const char* text, int length) {
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), static_cast<int>(wide.size()));
    return wide;
  }

  void AppendWide(const char* text, int length) { path_ += Wide(text, length); }

  JunkSearchState& state_;
  JunkSearchObserver& observer_;
  platform::FolderListing& listing_;
  const std::wstring patterns_;
  std::wstring path_;        // the one path of the walk
  std::wstring wideName_;    // a name outside plain ASCII, as the ANSI listing gives it, widened
  char ansiName_[MAX_PATH];  // that name in ANSI
  std::string ansi_;         // the ANSI path of the folder listed (up to ansiBase_), then a name
  size_t ansiFolder_ = kNoFolder;  // the length of path_ that ansi_ holds the folder of
  size_t ansiBase_ = 0;
};

}  // namespace

void SearchFolder(const std::string& folder, JunkSearchState& state, JunkSearchObserver& observer) {
  Search search(state, observer, folder);
  search.Folder();
}
