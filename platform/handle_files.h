#pragma once
// Files and folders reached by handle. A folder is opened once; each entry is opened relative
// to its folder's handle, never through a link, and is listed and deleted through its own
// handle. What a listing saw is never opened again by its path text, so an entry that another
// program swaps for a link (a junction or a symbolic link) after the listing is not followed.
//
// Windows opens a link itself when asked (the reparse-point option): the handle is on the
// link, its attributes say so, and deleting through it removes the link only. Wine follows a
// host's symbolic link whatever is asked, and its handle then names the link's target: an
// entry whose handle does not bear its folder's name followed by its own is taken for a link
// and the handle is closed unused.
#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// A handle of the file system, closed at the end of its scope.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { reset(); }
  FileHandle(FileHandle&& other) noexcept : handle_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void reset(HANDLE handle = nullptr);

 private:
  HANDLE handle_ = nullptr;
};

// An open folder and the system's name for it (the form the system's own object names take:
// "\??\C:\..." or "\Device\HarddiskVolume2\..."): the names of the entries opened through it
// are checked against it.
struct OpenFolder {
  FileHandle handle;
  std::wstring name;
};

struct FolderEntry {
  std::wstring name;
  DWORD attributes = 0;  // as the listing saw them
};

enum class EntryKind { File, Folder };

// What opening an entry reached.
enum class Reached {
  Entry,      // the entry itself, not a link
  Link,       // a link, opened as the link itself: removing it through the handle spares its target
  Elsewhere,  // the system followed a link (or the entry was swapped for one): the handle is
              // closed, and nothing may be done to the entry
  Gone,       // the entry is no longer there
  Failed,     // not opened: the error says why (in use, access denied, not of the kind asked)
};

struct EntryOpening {
  Reached reached = Reached::Failed;
  FileHandle handle;       // open for Entry and Link
  DWORD attributes = 0;    // from the handle, for folders only
  DWORD error = ERROR_SUCCESS;
};

// Opens a folder by a full path ("C:\..." or "\\?\C:\..."), links on the way followed as the
// system resolves them, to list it and to open entries in it. The folder's own name comes with
// it. Returns the system's error (ERROR_SUCCESS when open).
DWORD OpenFolderByPath(const std::wstring& path, OpenFolder* folder);

// Every entry of the folder but "." and "..", through its handle. Returns the system's error
// (ERROR_SUCCESS when the whole folder was listed).
DWORD ListFolder(HANDLE folder, std::vector<FolderEntry>* entries);

// Opens the entry `name` of the open folder, as the kind asked, with `access` (SYNCHRONIZE is
// added), never following a link; folders are open for listing as well and shared for reading
// and writing only, so they cannot be renamed or deleted by others while open. A file opened
// to read or write its data (or its attributes) is checked for being a link as a folder is;
// one opened only to be deleted needs no such check: deleting a link opened as the link
// removes the link.
EntryOpening OpenEntry(const OpenFolder& folder, const std::wstring& name, EntryKind kind, ACCESS_MASK access);

// Opens the file `name` of the open folder to write it (GENERIC_WRITE, DELETE and
// FILE_READ_ATTRIBUTES with `access`), making it, empty, when it is not there; shared for
// reading only. A link in its place is never written through: Link or Elsewhere come back
// without a handle, and a file that this call made at the far end of a link is removed again.
EntryOpening CreateFileEntry(const OpenFolder& folder, const std::wstring& name, ACCESS_MASK access = 0);

// An entry of `folder` opened as a folder (OpenEntry with kind Folder) and named, for walking
// into it.
OpenFolder EnterFolder(const OpenFolder& folder, const std::wstring& name, EntryOpening&& opening);

// Marks what the handle is open on for deletion (it goes when its last handle closes). The
// handle needs DELETE access. Returns the system's error.
DWORD DeleteByHandle(HANDLE handle);

// The system's name for what a handle is open on, as OpenFolder::name; "" when it cannot
// be had.
std::wstring HandleName(HANDLE handle);

// A file's path held from its drive's root down: every folder on it opened by handle, one
// relative to the other, never through a link, and kept open (shared for reading and writing
// only, so that none of them can be renamed or replaced meanwhile); the file itself checked
// for being no link. For a caller that must hand the path to someone who opens it by its
// text (the shell's recycle bin). False when the path is no full path on a drive letter,
// something on it is a link, or something on it cannot be opened.
struct HeldPath {
  std::vector<OpenFolder> folders;
};
bool HoldFilePath(const std::wstring& path, HeldPath* held);

// A whole file by a fixed name in a folder that others may write (the temporary folder), by
// handle: the folder opened by its path, the file relative to it, never through a link.
enum class FileIn {
  Done,
  Missing,  // no such file (or no such folder)
  Link,     // a link stands under the name: nothing was read, written or deleted
  Failed,   // the error says why
};
struct FileInResult {
  FileIn outcome = FileIn::Failed;
  DWORD error = ERROR_SUCCESS;
};
// Replaces the file's content with `content` (making the file when it is not there).
FileInResult WriteFileIn(const std::wstring& folderPath, const std::wstring& name, const std::string& content);
// Reads the whole file (up to 16 MB).
FileInResult ReadFileIn(const std::wstring& folderPath, const std::wstring& name, std::string* content);
// Deletes the file; a link under the name that the system opens as a link is removed itself.
FileInResult DeleteFileIn(const std::wstring& folderPath, const std::wstring& name);

}  // namespace platform
