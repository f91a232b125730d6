#include "tweaks/FolderDelete.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <userenv.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/handle_files.h"
#include "platform/process.h"
#include "platform/seam.h"
#include "platform/wide_text.h"
#include "shell/ColouredMessageBox.h"

const char kLinkLeftText[] = "a link, left in place: what it points to was not touched";

namespace {

using platform::EntryKind;
using platform::OpenFolder;
using platform::Reached;

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr size_t kLongPrefixLength = 4;

bool StartsWithLongPrefix(const std::wstring& path) {
  return path.compare(0, kLongPrefixLength, kLongPrefix) == 0;
}

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "X:\..." (either separator).
bool IsFullDrivePath(const std::wstring& path) {
  return path.size() >= 3 && IsLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

bool IsDriveLetterPath(const std::wstring& path) {
  return path.size() >= 3 && IsLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
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

void Lower(std::wstring& text) { CharLowerBuffW(text.data(), static_cast<DWORD>(text.size())); }

// A drive-letter path without trailing backslashes (a root keeps its one), in its long form,
// lower case: two folders are the same when these are equal.
std::wstring Comparable(std::wstring path) {
  path = LongForm(path);
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  Lower(path);
  return path;
}

// `folder` is `other` or holds it.
bool IsOrHolds(const std::wstring& folder, const std::wstring& other) {
  if (other.size() < folder.size() || other.compare(0, folder.size(), folder) != 0) return false;
  return other.size() == folder.size() || folder.back() == L'\\' || other[folder.size()] == L'\\';
}

// The folder above a drive-letter path or identity ("" above a root).
std::wstring Parent(const std::wstring& path) {
  if (path.size() <= 3) return L"";
  const size_t last = path.find_last_of(L'\\');
  if (last == std::wstring::npos || last < 2) return L"";
  return path.substr(0, last < 3 ? 3 : last);
}

// What became of asking the system which folder a path names.
enum class Lookup { Found, Missing, Failed };

// The identity of what a handle is open on: the path the system gives for it, with every
// link, junction and mapped or substituted drive on the way resolved, in lower case, without
// "\\?\" and without a trailing backslash (a root keeps its one). Two spellings name the same
// folder when their identities are equal. Volumes without a drive letter are named by their
// device path.
bool IdentityOfHandle(HANDLE handle, std::wstring* identity, DWORD* error) {
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
  if (!n) {
    *error = GetLastError();
    return false;
  }
  buffer.resize(n);
  if (StartsWithLongPrefix(buffer)) buffer.erase(0, kLongPrefixLength);
  while (buffer.size() > 3 && buffer.back() == L'\\') buffer.pop_back();
  Lower(buffer);
  *identity = std::move(buffer);
  return true;
}

// The identity of the folder a full path names, links on the way followed.
Lookup IdentityOfPath(const std::wstring& fullPath, std::wstring* identity, DWORD* error) {
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
  const bool found = IdentityOfHandle(handle, identity, error);
  CloseHandle(handle);
  return found ? Lookup::Found : Lookup::Failed;
}

// An identity that is the root of a volume: "c:\", "unc\server\share", "\device\volume".
bool IsRootIdentity(const std::wstring& identity) {
  if (IsDriveLetterPath(identity)) return identity.size() <= 3;
  const size_t separators = std::count(identity.begin(), identity.end(), L'\\');
  if (identity.compare(0, 4, L"unc\\") == 0) return separators <= 2;
  return identity.front() == L'\\' && separators <= 2;
}

// Identities asked for once per judgement: the protected folders share most of the folders
// above them.
class Identities {
 public:
  Lookup Of(const std::wstring& path, std::wstring* identity) {
    std::wstring key = path;
    Lower(key);
    auto known = cache_.find(key);
    if (known == cache_.end()) {
      Entry entry;
      DWORD error = 0;
      entry.lookup = IdentityOfPath(path, &entry.identity, &error);
      known = cache_.emplace(std::move(key), std::move(entry)).first;
    }
    *identity = known->second.identity;
    return known->second.lookup;
  }

  // The identities of the folders above a folder, up its path as named and up its identity:
  // the two differ where a link or a mapped drive lies on the way. False when one of them
  // could not be identified.
  bool Above(const std::wstring& path, const std::wstring& identity, std::vector<std::wstring>* above) {
    for (const std::wstring& start : {path, identity}) {
      if (!IsDriveLetterPath(start)) continue;
      for (std::wstring folder = Parent(start); !folder.empty(); folder = Parent(folder)) {
        std::wstring found;
        if (Of(folder, &found) != Lookup::Found) return false;
        above->push_back(std::move(found));
      }
    }
    return true;
  }

 private:
  struct Entry {
    Lookup lookup = Lookup::Missing;
    std::wstring identity;
  };
  std::map<std::wstring, Entry> cache_;
};

// How far a protected folder's protection reaches: a walk may never be the folder nor hold
// it; for most it may not lie inside it either.
enum class Reach { ItAndAbove, AlsoInside };

// A folder no walk may touch or hold (or lie in).
struct GuardedFolder {
  std::wstring path;  // full, as the system names it to us
  std::string what;   // the words that name it
  Reach reach = Reach::AlsoInside;
  std::wstring comparable;  // Comparable(path)
  // A folder inside it that may be walked, with all below it (the Windows folder's Temp).
  std::wstring allowedPath, allowedComparable;

  Lookup lookup = Lookup::Missing;
  std::wstring identity;
  std::vector<std::wstring> holders;  // identities of the folders above it
  bool holdersKnown = true;           // false when a folder above it could not be identified
  Lookup allowedLookup = Lookup::Missing;
  std::wstring allowedIdentity;
};

std::wstring WindowsFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
  return n && n < MAX_PATH ? std::wstring(buffer, n) : L"";
}

std::wstring ShellFolder(int csidl) {
  wchar_t buffer[MAX_PATH + 1];
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)) ? buffer : L"";
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) result = path;
  CoTaskMemFree(path);
  return result;
}

// The folders a user keeps their own things in, as each profile names them, with the reach of
// their protection.
struct OwnFolder {
  const wchar_t* name;
  Reach reach;
};
constexpr OwnFolder kOwnFolders[] = {
    {L"Desktop", Reach::AlsoInside},         {L"Documents", Reach::AlsoInside},
    {L"Downloads", Reach::AlsoInside},       {L"Favorites", Reach::AlsoInside},
    {L"Music", Reach::AlsoInside},           {L"Pictures", Reach::AlsoInside},
    {L"Videos", Reach::AlsoInside},          {L"AppData\\Roaming", Reach::AlsoInside},
    {L"AppData\\Local", Reach::ItAndAbove},  // its Temp folder is the user's temporary folder
};

std::string OwnFolderWords(const std::wstring& name) {
  return "a user's " + platform::AnsiFromWide(name) + " folder";
}

std::vector<GuardedFolder> GuardedFolders(Identities& identities) {
  std::vector<GuardedFolder> folders;
  auto add = [&](const std::wstring& path, const std::string& what, Reach reach,
                 const std::wstring& allowed = L"") {
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
    guarded.reach = reach;
    guarded.comparable = comparable;
    if (!allowed.empty()) {
      guarded.allowedPath = full + L"\\" + allowed;
      guarded.allowedComparable = Comparable(guarded.allowedPath);
    }
    folders.push_back(std::move(guarded));
  };
  add(WindowsFolder(), "the Windows folder", Reach::AlsoInside, L"Temp");
  {
    wchar_t buffer[MAX_PATH + 1];
    if (UINT n = GetSystemWindowsDirectoryW(buffer, MAX_PATH); n && n < MAX_PATH)
      add(std::wstring(buffer, n), "the Windows folder", Reach::AlsoInside, L"Temp");
  }
  const std::wstring profile = platform::WideEnvironment(L"USERPROFILE");
  add(profile, "the user profile", Reach::ItAndAbove);
  add(ShellFolder(CSIDL_PROFILE), "the user profile", Reach::ItAndAbove);
  std::wstring program(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
  if (n && n < program.size()) {
    program.resize(n);
    add(program.substr(0, program.find_last_of(L'\\')), "the program's folder", Reach::ItAndAbove);
  }
  // Both program files folders, whichever view this program has of them.
  for (const wchar_t* variable : {L"ProgramW6432", L"ProgramFiles", L"ProgramFiles(x86)"})
    add(platform::WideEnvironment(variable), "a program files folder", Reach::AlsoInside);
  add(ShellFolder(CSIDL_PROGRAM_FILES), "a program files folder", Reach::AlsoInside);
  add(ShellFolder(CSIDL_PROGRAM_FILESX86), "a program files folder", Reach::AlsoInside);
  add(ShellFolder(CSIDL_COMMON_APPDATA), "the program data folder", Reach::AlsoInside);
  add(platform::WideEnvironment(L"ProgramData"), "the program data folder", Reach::AlsoInside);

  // Every profile of the computer: each folder in the profiles folder.
  std::vector<std::wstring> profiles;
  if (!profile.empty()) profiles.push_back(FullPath(profile));
  std::wstring profilesFolder;
  DWORD size = 0;
  GetProfilesDirectoryW(nullptr, &size);
  if (size) {
    profilesFolder.resize(size);
    if (GetProfilesDirectoryW(profilesFolder.data(), &size)) profilesFolder.resize(wcslen(profilesFolder.c_str()));
    else profilesFolder.clear();
  }
  if (profilesFolder.empty() && !profile.empty()) profilesFolder = Parent(FullPath(profile));
  if (!profilesFolder.empty()) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((kLongPrefix + FullPath(profilesFolder) + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") {
          add(profilesFolder + L"\\" + name, "a user profile", Reach::ItAndAbove);
          profiles.push_back(profilesFolder + L"\\" + name);
        }
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
  }
  // The user's own folders where the shell keeps them (they may have been moved), then
  // where each profile has them.
  const struct {
    std::wstring path;
    const wchar_t* name;
  } ownFolders[] = {
      {ShellFolder(CSIDL_DESKTOPDIRECTORY), L"Desktop"}, {ShellFolder(CSIDL_PERSONAL), L"Documents"},
      {KnownFolder(FOLDERID_Downloads), L"Downloads"},   {ShellFolder(CSIDL_FAVORITES), L"Favorites"},
      {ShellFolder(CSIDL_MYMUSIC), L"Music"},            {ShellFolder(CSIDL_MYPICTURES), L"Pictures"},
      {ShellFolder(CSIDL_MYVIDEO), L"Videos"},           {ShellFolder(CSIDL_APPDATA), L"AppData\\Roaming"},
      {ShellFolder(CSIDL_LOCAL_APPDATA), L"AppData\\Local"},
  };
  for (const auto& own : ownFolders) {
    for (const OwnFolder& kind : kOwnFolders)
      if (wcscmp(kind.name, own.name) == 0) add(own.path, OwnFolderWords(own.name), kind.reach);
  }
  for (const std::wstring& each : profiles)
    for (const OwnFolder& own : kOwnFolders) add(each + L"\\" + own.name, OwnFolderWords(own.name), own.reach);

  for (GuardedFolder& folder : folders) {
    folder.lookup = identities.Of(folder.path, &folder.identity);
    if (!folder.allowedPath.empty()) folder.allowedLookup = identities.Of(folder.allowedPath, &folder.allowedIdentity);
    if (folder.lookup != Lookup::Found) continue;
    folder.holdersKnown = identities.Above(folder.path, folder.identity, &folder.holders);
  }
  return folders;
}

std::string Naming(const GuardedFolder& folder) { return folder.what + " " + platform::AnsiFromWide(folder.path); }

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

// The folder the walk would start at, judged and, where it may be walked, open.
struct Judgement {
  std::string refused;    // why it is left alone; "" when it may be walked or is not there
  std::wstring full;      // its full path, once resolved
  bool present = false;   // there is a folder (or a link) to walk or remove
  platform::EntryOpening opening;
  OpenFolder parent;
  std::wstring name;  // its own name in the folder above it, as opened
};

// Checks the name, opens the folder once (relative to the folder above it, without following
// a link) and checks what it opened against the protected folders.
Judgement Judge(const std::wstring& folder, bool contentOnly) {
  Judgement judged;
  std::wstring path = folder;
  if (path.empty()) {
    judged.refused = "no folder is named";
    return judged;
  }
  if (StartsWithLongPrefix(path)) {
    // Only "\\?\X:\..." names a folder on a drive letter; "\\?\UNC\...", "\\?\GLOBALROOT\..."
    // and the like would read as relative names once the prefix is taken off.
    path.erase(0, kLongPrefixLength);
    if (!IsFullDrivePath(path)) {
      judged.refused = "not a folder on a drive letter";
      return judged;
    }
  }
  if (path.find_first_of(L"*?") != std::wstring::npos) {
    judged.refused = "the name holds wildcard characters";
    return judged;
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    judged.refused = "not a folder on a drive letter";
    return judged;
  }
  if (!IsFullDrivePath(path)) {
    // ".", "..\windows\system32", "temp", "\temp", "C:temp": resolved against the current
    // folder or drive, which is anyone's guess (System32 for a program started from an
    // elevated command prompt).
    judged.refused = "the name is relative, not a full path";
    return judged;
  }
  std::wstring full = FullPath(path);
  if (StartsWithLongPrefix(full)) full = full.substr(kLongPrefixLength);
  if (full.empty()) {
    judged.refused = "the name cannot be resolved to a folder";
    return judged;
  }
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  judged.full = full;
  if (!IsDriveLetterPath(full)) {
    judged.refused = "not a folder on a drive letter";
    return judged;
  }
  const std::wstring comparable = Comparable(full);
  if (comparable.size() <= 3) {
    judged.refused = "a drive root";
    return judged;
  }
  Identities identities;
  const std::vector<GuardedFolder> guarded = GuardedFolders(identities);
  // By name first.
  for (const GuardedFolder& other : guarded) {
    if (comparable == other.comparable) {
      judged.refused = "it is " + Naming(other);
      return judged;
    }
    if (IsOrHolds(comparable, other.comparable)) {
      judged.refused = "it holds " + Naming(other);
      return judged;
    }
    if (other.reach == Reach::AlsoInside && IsOrHolds(other.comparable, comparable) &&
        !(!other.allowedComparable.empty() && IsOrHolds(other.allowedComparable, comparable))) {
      judged.refused = "it lies in " + Naming(other);
      return judged;
    }
  }

  // Open it once, by handle, as an entry of the folder above it: the folder itself is never
  // opened through a link.
  const std::wstring longFull = LongForm(full);
  const std::wstring& name = judged.name = longFull.substr(longFull.find_last_of(L'\\') + 1);
  if (DWORD error = platform::OpenFolderByPath(Parent(full), &judged.parent)) {
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      judged.refused = "the folder cannot be identified (" + platform::SystemErrorText(error) + ")";
    return judged;
  }
  judged.opening = platform::OpenEntry(judged.parent, name, EntryKind::Folder, contentOnly ? 0 : DELETE);
  if (judged.opening.reached == Reached::Failed && judged.opening.error == ERROR_SHARING_VIOLATION && !contentOnly) {
    // Another program holds it open: it can still be emptied, not removed.
    judged.opening = platform::OpenEntry(judged.parent, name, EntryKind::Folder, 0);
  }
  std::wstring identity;
  DWORD error = 0;
  switch (judged.opening.reached) {
    case Reached::Gone:
      return judged;  // nothing there to delete
    case Reached::Failed:
      if (judged.opening.error == ERROR_DIRECTORY) return judged;  // a file: not a folder to empty
      judged.refused = "the folder cannot be identified (" + platform::SystemErrorText(judged.opening.error) + ")";
      return judged;
    case Reached::Entry:
      if (!IdentityOfHandle(judged.opening.handle.get(), &identity, &error)) {
        judged.refused = "the folder cannot be identified (" + platform::SystemErrorText(error) + ")";
        return judged;
      }
      break;
    case Reached::Link:
    case Reached::Elsewhere:
      // A link: where it leads decides whether even the link may go.
      switch (IdentityOfPath(full, &identity, &error)) {
        case Lookup::Found: break;
        case Lookup::Missing: identity.clear(); break;
        case Lookup::Failed:
          judged.refused = "the folder cannot be identified (" + platform::SystemErrorText(error) + ")";
          return judged;
      }
      break;
  }
  judged.present = true;
  if (!identity.empty()) {
    if (IsRootIdentity(identity)) {
      judged.refused = "a drive root";
      return judged;
    }
    std::vector<std::wstring> above;
    if (!identities.Above(full, identity, &above)) {
      judged.refused = "a folder above it cannot be identified";
      return judged;
    }
    for (const GuardedFolder& other : guarded) {
      if (other.lookup == Lookup::Missing) continue;
      if (other.lookup == Lookup::Failed || !other.holdersKnown) {
        judged.refused = Naming(other) + " cannot be identified";
        return judged;
      }
      if (identity == other.identity) {
        judged.refused = "it is " + Naming(other);
        return judged;
      }
      if (Contains(other.holders, identity)) {
        judged.refused = "it holds " + Naming(other);
        return judged;
      }
      if (other.reach == Reach::AlsoInside && Contains(above, other.identity)) {
        if (other.allowedLookup == Lookup::Found &&
            (identity == other.allowedIdentity || Contains(above, other.allowedIdentity)))
          continue;
        judged.refused = "it lies in " + Naming(other);
        return judged;
      }
    }
  }
  if (contentOnly && judged.opening.reached != Reached::Entry) judged.refused = "it is a link to another folder";
  return judged;
}

void Report(const std::wstring& path, const std::string& why) {
  MsgBox(platform::AnsiFromWide(path) + ": " + why, MB_OK | MB_ICONERROR);
}

class NoWatch final : public FolderWalkWatch {
 public:
  void BeforeOpening(const std::wstring&) override {}
};

// The walk below one open folder. `path_` holds the "\\?\" path of the entry being handled,
// for the reports; each level appends its entry's name and takes it off again.
class Walker {
 public:
  Walker(std::wstring path, bool showErrors)
      : path_(std::move(path)), showErrors_(showErrors), watch_(platform::Seam<FolderWalkWatch>::Get()) {}

  // Empties the open folder at path_. False when a folder could not be opened or listed:
  // the walk ends.
  bool Empty(const OpenFolder& folder) {
    std::vector<platform::FolderEntry> entries;
    if (DWORD error = platform::ListFolder(folder.handle.get(), &entries)) {
      Failed(error);
      result.stopped = true;
      return false;
    }
    const size_t length = path_.size();
    // Subfolders first, then the files.
    for (const platform::FolderEntry& entry : entries) {
      if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
      Append(entry.name);
      const bool goOn = Folder(folder, entry);
      path_.resize(length);
      if (!goOn) return false;
    }
    for (const platform::FolderEntry& entry : entries) {
      if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      Append(entry.name);
      File(folder, entry);
      path_.resize(length);
    }
    return true;
  }

  // Removes a folder emptied through `handle` (the folder at path_).
  void Remove(HANDLE handle, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_READONLY) Failed(ERROR_ACCESS_DENIED);
    else if (DWORD error = platform::DeleteByHandle(handle)) Failed(error);
  }

  // Removes the link at path_, open as the link itself, never what it points to.
  void RemoveLink(HANDLE handle) {
    if (DWORD error = platform::DeleteByHandle(handle)) Failed(error);
  }

  // The entry at path_ is a link the system would follow: it stays, and is named.
  void LinkLeft() {
    ++result.notDeleted;
    result.linksLeft.push_back(path_.substr(kLongPrefixLength));
    if (showErrors_) Report(path_.substr(kLongPrefixLength), kLinkLeftText);
  }

  void Failed(DWORD error) {
    ++result.notDeleted;
    if (showErrors_) Report(path_.substr(kLongPrefixLength), platform::SystemErrorText(error));
  }

  // Deletes the folder `name` of the open folder at path_, with all it holds.
  void DeleteEntry(const OpenFolder& parent, const std::wstring& name) {
    const size_t length = path_.size();
    Append(name);
    Folder(parent, {name, FILE_ATTRIBUTE_DIRECTORY});
    path_.resize(length);
  }

  FolderDeleteResult result;

 private:
  void Append(const std::wstring& name) {
    path_ += L'\\';
    path_ += name;
  }

  bool Folder(const OpenFolder& parent, const platform::FolderEntry& entry) {
    watch_.BeforeOpening(path_);
    platform::EntryOpening opening = platform::OpenEntry(parent, entry.name, EntryKind::Folder, DELETE);
    if (opening.reached == Reached::Failed && opening.error == ERROR_SHARING_VIOLATION) {
      // Held open by another program: it can still be emptied, but not removed.
      opening = platform::OpenEntry(parent, entry.name, EntryKind::Folder, 0);
      if (opening.reached == Reached::Entry) {
        OpenFolder inner = platform::EnterFolder(parent, entry.name, std::move(opening));
        if (!Empty(inner)) return false;
        Failed(ERROR_SHARING_VIOLATION);
        return true;
      }
    }
    switch (opening.reached) {
      case Reached::Gone: return true;
      case Reached::Elsewhere: LinkLeft(); return true;
      case Reached::Link: RemoveLink(opening.handle.get()); return true;
      case Reached::Failed:
        // A folder that cannot be opened ends the walk.
        Failed(opening.error);
        result.stopped = true;
        return false;
      case Reached::Entry: break;
    }
    const DWORD attributes = opening.attributes;
    OpenFolder inner = platform::EnterFolder(parent, entry.name, std::move(opening));
    if (!Empty(inner)) return false;
    Remove(inner.handle.get(), attributes);
    return true;
  }

  void File(const OpenFolder& parent, const platform::FolderEntry& entry) {
    if (entry.attributes & FILE_ATTRIBUTE_READONLY) {
      Failed(ERROR_ACCESS_DENIED);
      return;
    }
    watch_.BeforeOpening(path_);
    platform::EntryOpening opening = platform::OpenEntry(parent, entry.name, EntryKind::File, DELETE);
    switch (opening.reached) {
      case Reached::Gone: return;
      case Reached::Elsewhere: LinkLeft(); return;
      case Reached::Link: RemoveLink(opening.handle.get()); return;
      case Reached::Failed: Failed(opening.error); return;
      case Reached::Entry: break;
    }
    if (DWORD error = platform::DeleteByHandle(opening.handle.get())) Failed(error);
  }

  std::wstring path_;
  bool showErrors_;
  FolderWalkWatch& watch_;
};

}  // namespace

FolderWalkWatch& FolderWalkWatch::Real() {
  static NoWatch none;
  return none;
}

std::string FolderRefusal(const std::wstring& folder, std::wstring* resolved) {
  Judgement judged = Judge(folder, true);
  if (resolved && !judged.full.empty()) *resolved = judged.full;
  return judged.refused;
}

FolderDeleteResult FolderDelete(const std::wstring& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors) {
  Judgement judged = Judge(strBaseFolder, blnContentOnly);
  FolderDeleteResult result;
  result.refused = judged.refused;
  if (!result.refused.empty() || !judged.present) return result;
  Walker walker(kLongPrefix + judged.full, blnShowErrors);
  switch (judged.opening.reached) {
    case Reached::Link: walker.RemoveLink(judged.opening.handle.get()); break;
    case Reached::Elsewhere: walker.LinkLeft(); break;
    case Reached::Entry: {
      const DWORD attributes = judged.opening.attributes;
      OpenFolder base = platform::EnterFolder(judged.parent, judged.name, std::move(judged.opening));
      judged.parent.handle.reset();
      if (walker.Empty(base) && !blnContentOnly) walker.Remove(base.handle.get(), attributes);
      break;
    }
    default: break;
  }
  return walker.result;
}

FolderDeleteResult DeleteFolderEntry(const platform::OpenFolder& folder, const std::wstring& folderPath,
                                     const std::wstring& name, bool blnShowErrors) {
  std::wstring path = folderPath;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  Walker walker(StartsWithLongPrefix(path) ? path : kLongPrefix + path, blnShowErrors);
  walker.DeleteEntry(folder, name);
  return walker.result;
}

FolderDeleteResult FolderDelete(const std::string& strBaseFolder, bool blnContentOnly,
                                bool blnShowErrors) {
  return FolderDelete(platform::WideFromAnsi(strBaseFolder), blnContentOnly, blnShowErrors);
}
