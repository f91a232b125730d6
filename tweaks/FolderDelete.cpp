#include "tweaks/FolderDelete.h"

#include <windows.h>
#include <shlobj.h>
#include <userenv.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/process.h"
#include "platform/wide_text.h"
#include "shell/ColouredMessageBox.h"

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr size_t kLongPrefixLength = 4;

bool StartsWithLongPrefix(const std::wstring& path) {
  return path.compare(0, kLongPrefixLength, kLongPrefix) == 0;
}

// GetFullPathNameW into a string of the length it needs; "" when it fails.
std::wstring FullPath(const std::wstring& path) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n == 0) return L"";
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(n);
  }
}

// The long form of an existing path (8.3 components expanded); the path itself otherwise.
std::wstring LongForm(const std::wstring& path) {
  std::wstring prefixed = kLongPrefix + path;
  DWORD n = GetLongPathNameW(prefixed.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::wstring buffer(n, L'\0');
  n = GetLongPathNameW(prefixed.c_str(), buffer.data(), n);
  if (n == 0 || n >= buffer.size()) return path;
  buffer.resize(n);
  return StartsWithLongPrefix(buffer) ? buffer.substr(kLongPrefixLength) : buffer;
}

bool IsDriveLetterPath(const std::wstring& path) {
  return path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
         path[1] == L':' && path[2] == L'\\';
}

// A drive-letter path without trailing backslashes (a root keeps its one), in its long form,
// lower case: two folders are the same when these are equal.
std::wstring Comparable(std::wstring path) {
  path = LongForm(path);
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  return path;
}

// `folder` is `other` or holds it.
bool IsOrHolds(const std::wstring& folder, const std::wstring& other) {
  if (other.size() < folder.size() || other.compare(0, folder.size(), folder) != 0) return false;
  return other.size() == folder.size() || folder.back() == L'\\' || other[folder.size()] == L'\\';
}

// What became of asking the system which folder a path names.
enum class Lookup { Found, Missing, Failed };

// The folder's identity: the path the system gives for the folder itself once it is open,
// with every link, junction and mapped or substituted drive on the way resolved, in lower
// case, without "\\?\" and without a trailing backslash (a root keeps its one). Two
// spellings name the same folder when their identities are equal. Volumes without a drive
// letter are named by their device path.
Lookup Identity(const std::wstring& fullPath, std::wstring* identity, DWORD* error) {
  std::wstring open = StartsWithLongPrefix(fullPath) ? fullPath : kLongPrefix + fullPath;
  while (open.size() > kLongPrefixLength + 3 && open.back() == L'\\') open.pop_back();
  HANDLE handle = CreateFileW(open.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *error = GetLastError();
    return *error == ERROR_FILE_NOT_FOUND || *error == ERROR_PATH_NOT_FOUND ? Lookup::Missing
                                                                             : Lookup::Failed;
  }
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = 0;
  for (DWORD volumeName : {VOLUME_NAME_DOS, VOLUME_NAME_NT}) {
    for (;;) {
      n = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    FILE_NAME_NORMALIZED | volumeName);
      if (n < buffer.size()) break;
      buffer.resize(n + 1);
    }
    if (n) break;
  }
  *error = n ? ERROR_SUCCESS : GetLastError();
  CloseHandle(handle);
  if (!n) return Lookup::Failed;
  buffer.resize(n);
  if (StartsWithLongPrefix(buffer)) buffer.erase(0, kLongPrefixLength);
  while (buffer.size() > 3 && buffer.back() == L'\\') buffer.pop_back();
  CharLowerBuffW(buffer.data(), static_cast<DWORD>(buffer.size()));
  *identity = std::move(buffer);
  return Lookup::Found;
}

// An identity that is the root of a volume: "c:\", "unc\server\share", "\device\volume".
bool IsRootIdentity(const std::wstring& identity) {
  if (IsDriveLetterPath(identity)) return identity.size() <= 3;
  const size_t separators = std::count(identity.begin(), identity.end(), L'\\');
  if (identity.compare(0, 4, L"unc\\") == 0) return separators <= 2;
  return identity.front() == L'\\' && separators <= 2;
}

// The folder above a drive-letter path or identity ("" above a root).
std::wstring Parent(const std::wstring& path) {
  if (path.size() <= 3) return L"";
  const size_t last = path.find_last_of(L'\\');
  if (last == std::wstring::npos || last < 2) return L"";
  return path.substr(0, last < 3 ? 3 : last);
}

// A folder no walk may touch or hold.
struct GuardedFolder {
  std::wstring path;        // full, as the system names it to us
  const char* what;         // the words that name it
  std::wstring comparable;  // Comparable(path)
  Lookup lookup = Lookup::Missing;
  std::wstring identity;
  // The identities of the folders above it, up the path as named and up its identity: the
  // two differ where a link or a mapped drive lies on the way.
  std::vector<std::wstring> holders;
  bool holdersKnown = true;  // false when a folder above it could not be identified
};

std::vector<GuardedFolder> GuardedFolders() {
  std::vector<GuardedFolder> folders;
  auto add = [&](const std::wstring& path, const char* what) {
    if (path.empty()) return;
    std::wstring full = FullPath(path);
    if (StartsWithLongPrefix(full)) full = full.substr(kLongPrefixLength);
    if (!IsDriveLetterPath(full)) return;
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    const std::wstring comparable = Comparable(full);
    for (const GuardedFolder& known : folders)
      if (known.comparable == comparable) return;
    GuardedFolder guarded;
    guarded.path = full;
    guarded.what = what;
    guarded.comparable = comparable;
    folders.push_back(std::move(guarded));
  };
  wchar_t buffer[MAX_PATH + 1];
  if (UINT n = GetWindowsDirectoryW(buffer, MAX_PATH); n && n < MAX_PATH)
    add(std::wstring(buffer, n), "the Windows folder");
  if (UINT n = GetSystemWindowsDirectoryW(buffer, MAX_PATH); n && n < MAX_PATH)
    add(std::wstring(buffer, n), "the Windows folder");
  const std::wstring profile = platform::WideEnvironment(L"USERPROFILE");
  add(profile, "the user profile");
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    add(buffer, "the user profile");
  std::wstring program(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
  if (n && n < program.size()) {
    program.resize(n);
    add(program.substr(0, program.find_last_of(L'\\')), "the program's folder");
  }
  // Every profile of the computer: each folder in the profiles folder.
  std::wstring profiles;
  DWORD size = 0;
  GetProfilesDirectoryW(nullptr, &size);
  if (size) {
    profiles.resize(size);
    if (GetProfilesDirectoryW(profiles.data(), &size)) profiles.resize(wcslen(profiles.c_str()));
    else profiles.clear();
  }
  if (profiles.empty() && !profile.empty()) profiles = Parent(FullPath(profile));
  if (!profiles.empty()) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((kLongPrefix + FullPath(profiles) + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
          add(profiles + L"\\" + name, "a user profile");
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
  }

  for (GuardedFolder& folder : folders) {
    DWORD error = 0;
    folder.lookup = Identity(folder.path, &folder.identity, &error);
    if (folder.lookup != Lookup::Found) continue;
    for (const std::wstring& start : {folder.path, folder.identity}) {
      if (!IsDriveLetterPath(start)) continue;
      for (std::wstring above = Parent(start); !above.empty(); above = Parent(above)) {
        std::wstring identity;
        if (Identity(above, &identity, &error) != Lookup::Found) {
          folder.holdersKnown = false;
          break;
        }
        folder.holders.push_back(std::move(identity));
      }
    }
  }
  return folders;
}

std::string Naming(const GuardedFolder& folder) {
  return std::string(folder.what) + " " + platform::AnsiFromWide(folder.path);
}

void Report(const std::wstring& longPath, DWORD error) {
  MsgBox(platform::AnsiFromWide(longPath.substr(kLongPrefixLength)) + ": " + platform::SystemErrorText(error),
         MB_OK | MB_ICONERROR);
}

// The walk below one resolved folder. `path_` holds the "\\?\" path of the folder being
// walked; each level appends its entry's name and takes it off again.
class Walker {
 public:
  Walker(std::wstring path, bool showErrors) : path_(std::move(path)), showErrors_(showErrors) {}

  // Empties the folder at path_ and, unless contentOnly, removes it. False when a folder
  // could not be listed: the walk ends.
  bool Walk(bool contentOnly, DWORD attributes) {
    struct Entry {
      std::wstring name;
      DWORD attributes;
    };
    std::vector<Entry> folders, files;
    const size_t length = path_.size();
    path_ += L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileExW(path_.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    path_.resize(length);
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) {
        Failed(error);
        result.stopped = true;
        return false;
      }
    } else {
      do {
        const wchar_t* name = found.cFileName;
        if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
        // A link to a folder goes with the folders, but is never walked.
        auto& list = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folders : files;
        list.push_back({name, found.dwFileAttributes});
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    for (const Entry& folder : folders) {
      path_ += L'\\';
      path_ += folder.name;
      if (folder.attributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveLink();
      else if (!Walk(false, folder.attributes)) return false;
      path_.resize(length);
    }
    for (const Entry& file : files) {
      path_ += L'\\';
      path_ += file.name;
      if (file.attributes & FILE_ATTRIBUTE_READONLY) Failed(ERROR_ACCESS_DENIED);
      else if (!DeleteFileW(path_.c_str())) Failed(GetLastError());
      path_.resize(length);
    }
    if (!contentOnly) {
      if (attributes & FILE_ATTRIBUTE_READONLY) Failed(ERROR_ACCESS_DENIED);
      else if (!RemoveDirectoryW(path_.c_str())) Failed(GetLastError());
    }
    return true;
  }

  // Removes the link at path_ itself, never what it points to; a link that stays is
  // reported.
  void RemoveLink() {
    if (!RemoveDirectoryW(path_.c_str())) {
      Failed(GetLastError());
    } else if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
      Failed(ERROR_DIR_NOT_EMPTY);
    }
  }

  void Failed(DWORD error) {
    ++result.notDeleted;
    if (showErrors_) Report(path_, error);
  }

  FolderDeleteResult result;

 private:
  std::wstring path_;
  bool showErrors_;
};

}  // namespace

std::string FolderRefusal(const std::wstring& folder, std::wstring* resolved) {
  std::wstring path = folder;
  if (StartsWithLongPrefix(path)) path = path.substr(kLongPrefixLength);
  if (path.empty()) return "no folder is named";
  if (path.find_first_of(L"*?") != std::wstring::npos) return "the name holds wildcard characters";
  std::wstring full = FullPath(path);
  if (StartsWithLongPrefix(full)) full = full.substr(kLongPrefixLength);
  if (full.empty()) return "the name cannot be resolved to a folder";
  if (resolved) *resolved = full;
  if (!IsDriveLetterPath(full)) return "not a folder on a drive letter";
  const std::wstring comparable = Comparable(full);
  if (comparable.size() <= 3) return "a drive root";
  const std::vector<GuardedFolder> guarded = GuardedFolders();
  for (const GuardedFolder& other : guarded) {
    if (IsOrHolds(comparable, other.comparable))
      return std::string(comparable == other.comparable ? "it is " : "it holds ") + Naming(other);
  }
  // The same folders under other names: a link or junction on the way, a drive letter
  // mapped or substituted to a folder. Compared by what the system opens, not by the text.
  std::wstring identity;
  DWORD error = 0;
  switch (Identity(full, &identity, &error)) {
    case Lookup::Missing: return "";  // nothing there to delete
    case Lookup::Failed: return "the folder cannot be identified (" + platform::SystemErrorText(error) + ")";
    case Lookup::Found: break;
  }
  if (IsRootIdentity(identity)) return "a drive root";
  for (const GuardedFolder& other : guarded) {
    if (other.lookup == Lookup::Missing) continue;
    if (other.lookup == Lookup::Failed || !other.holdersKnown)
      return Naming(other) + " cannot be identified";
    if (identity == other.identity) return "it is " + Naming(other);
    if (std::find(other.holders.begin(), other.holders.end(), identity) != other.holders.end())
      return "it holds " + Naming(other);
  }
  return "";
}

FolderDeleteResult FolderDelete(const std::wstring& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors) {
  FolderDeleteResult result;
  std::wstring full;
  result.refused = FolderRefusal(strBaseFolder, &full);
  if (!result.refused.empty()) return result;
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  Walker walker(kLongPrefix + full, blnShowErrors);
  const DWORD attributes = GetFileAttributesW((kLongPrefix + full).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return result;  // nothing there
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // The folder itself is a link: what it points to is not ours to empty.
    if (blnContentOnly) {
      result.refused = "it is a link to another folder";
    } else {
      walker.RemoveLink();
      result = walker.result;
    }
    return result;
  }
  walker.Walk(blnContentOnly, attributes);
  return walker.result;
}

FolderDeleteResult FolderDelete(const std::string& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors) {
  return FolderDelete(platform::WideFromAnsi(strBaseFolder), blnContentOnly, blnShowErrors);
}
