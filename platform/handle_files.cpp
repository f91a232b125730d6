#include "platform/handle_files.h"

#include <winternl.h>

#include <cstring>
#include <utility>

extern "C" NTSTATUS NTAPI NtQueryDirectoryFile(HANDLE file, HANDLE event, PVOID apcRoutine, PVOID apcContext,
                                               PIO_STATUS_BLOCK ioStatus, PVOID buffer, ULONG length,
                                               FILE_INFORMATION_CLASS informationClass, BOOLEAN singleEntry,
                                               PUNICODE_STRING fileName, BOOLEAN restartScan);

namespace platform {
namespace {

constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006);
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);
constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034);
constexpr NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);
constexpr NTSTATUS kDeletePending = static_cast<NTSTATUS>(0xC0000056);

DWORD ErrorOf(NTSTATUS status) { return RtlNtStatusToDosError(status); }

UNICODE_STRING Counted(const std::wstring& text) {
  UNICODE_STRING counted;
  counted.Buffer = const_cast<PWSTR>(text.c_str());
  counted.Length = static_cast<USHORT>(text.size() * sizeof(wchar_t));
  counted.MaximumLength = counted.Length;
  return counted;
}

// An entry's name relative to its folder's handle, as the open calls take it.
struct NameInFolder {
  UNICODE_STRING counted;
  OBJECT_ATTRIBUTES attributes;
  NameInFolder(const OpenFolder& folder, const std::wstring& name) : counted(Counted(name)) {
    InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE, folder.handle.get(), nullptr);
  }
  NameInFolder(const NameInFolder&) = delete;  // the attributes point at the counted name
  NameInFolder& operator=(const NameInFolder&) = delete;
};

bool SameText(const wchar_t* a, const wchar_t* b, size_t length) {
  return length == 0 || CompareStringOrdinal(a, static_cast<int>(length), b, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

bool EndsWithSeparator(const std::wstring& name) { return !name.empty() && name.back() == L'\\'; }

// The name the handle bears is the folder's name, one separator and the entry's name.
bool BearsName(const UNICODE_STRING& actual, const std::wstring& folder, const std::wstring& name) {
  const size_t separator = EndsWithSeparator(folder) ? 0 : 1;
  const size_t length = actual.Length / sizeof(wchar_t);
  if (length != folder.size() + separator + name.size()) return false;
  const wchar_t* text = actual.Buffer;
  if (separator && text[folder.size()] != L'\\') return false;
  return SameText(text, folder.c_str(), folder.size()) &&
         SameText(text + folder.size() + separator, name.c_str(), name.size());
}

// Calls `use` with the handle's object name; false when it cannot be had.
template <typename Use>
bool WithObjectName(HANDLE handle, Use&& use) {
  alignas(8) BYTE local[2048];
  std::vector<BYTE> large;
  BYTE* buffer = local;
  ULONG size = sizeof(local);
  for (int attempt = 0; attempt < 3; ++attempt) {
    ULONG needed = 0;
    const NTSTATUS status = NtQueryObject(handle, ObjectNameInformation, buffer, size, &needed);
    if (status >= 0) {
      const auto* info = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer);
      if (!info->Name.Buffer) return false;
      use(info->Name);
      return true;
    }
    if (status != kInfoLengthMismatch && status != kBufferOverflow && status != kBufferTooSmall) return false;
    size = needed > size ? needed : size * 4;
    large.assign(size, 0);
    buffer = large.data();
  }
  return false;
}

}  // namespace

void FileHandle::reset(HANDLE handle) {
  if (handle_ && handle_ != INVALID_HANDLE_VALUE) NtClose(handle_);
  handle_ = handle;
}

std::wstring HandleName(HANDLE handle) {
  std::wstring name;
  WithObjectName(handle, [&](const UNICODE_STRING& text) { name.assign(text.Buffer, text.Length / sizeof(wchar_t)); });
  return name;
}

DWORD OpenFolderByPath(const std::wstring& path, OpenFolder* folder) {
  std::wstring open = path.compare(0, 4, L"\\\\?\\") == 0 ? path : L"\\\\?\\" + path;
  HANDLE handle = CreateFileW(open.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError();
  folder->handle.reset(handle);
  folder->name = HandleName(handle);
  if (folder->name.empty()) {
    folder->handle.reset();
    return ERROR_INVALID_NAME;
  }
  return ERROR_SUCCESS;
}

DWORD ListFolder(HANDLE folder, std::vector<FolderEntry>* entries) {
  // One buffer per thread, reused by every listing: a walk lists thousands of folders.
  static thread_local std::vector<BYTE> buffer(64 * 1024);
  bool restart = true;
  for (;;) {
    IO_STATUS_BLOCK io{};
    const NTSTATUS status = NtQueryDirectoryFile(folder, nullptr, nullptr, nullptr, &io, buffer.data(),
                                                 static_cast<ULONG>(buffer.size()), FileDirectoryInformation, FALSE,
                                                 nullptr, restart);
    restart = false;
    if (status == kNoMoreFiles) return ERROR_SUCCESS;
    if (status < 0) return ErrorOf(status);
    if (io.Information == 0) return ERROR_SUCCESS;
    const BYTE* at = buffer.data();
    for (;;) {
      const auto* entry = reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(at);
      const wchar_t* name = entry->FileName;
      const size_t length = entry->FileNameLength / sizeof(wchar_t);
      const bool dots = (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
      if (!dots) entries->push_back({std::wstring(name, length), entry->FileAttributes});
      if (!entry->NextEntryOffset) break;
      at += entry->NextEntryOffset;
    }
  }
}

EntryOpening OpenEntry(const OpenFolder& folder, const std::wstring& name, EntryKind kind, ACCESS_MASK access) {
  EntryOpening opening;
  NameInFolder named(folder, name);
  IO_STATUS_BLOCK io{};
  HANDLE handle = nullptr;
  const bool isFolder = kind == EntryKind::Folder;
  if (isFolder) access |= FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
  else if (access & ~(DELETE | SYNCHRONIZE)) access |= FILE_READ_ATTRIBUTES;
  const ULONG share = isFolder ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const ULONG options = (isFolder ? FILE_DIRECTORY_FILE : FILE_NON_DIRECTORY_FILE) | FILE_SYNCHRONOUS_IO_NONALERT |
                        FILE_OPEN_FOR_BACKUP_INTENT | FILE_OPEN_REPARSE_POINT;
  const NTSTATUS status = NtCreateFile(&handle, access | SYNCHRONIZE, &named.attributes, &io, nullptr, 0, share,
                                       FILE_OPEN, options, nullptr, 0);
  if (status < 0) {
    opening.reached =
        status == kNameNotFound || status == kPathNotFound || status == kDeletePending ? Reached::Gone : Reached::Failed;
    opening.error = ErrorOf(status);
    return opening;
  }
  opening.handle.reset(handle);
  bool itself = false;
  if (!WithObjectName(handle, [&](const UNICODE_STRING& actual) { itself = BearsName(actual, folder.name, name); })) {
    opening.handle.reset();
    opening.error = ERROR_INVALID_NAME;
    return opening;
  }
  if (!itself) {
    opening.handle.reset();
    opening.reached = Reached::Elsewhere;
    return opening;
  }
  opening.reached = Reached::Entry;
  constexpr ACCESS_MASK kDeleting = DELETE | SYNCHRONIZE;
  if (isFolder || (access & ~kDeleting)) {
    FILE_BASIC_INFORMATION basic{};
    const NTSTATUS queried = NtQueryInformationFile(handle, &io, &basic, sizeof(basic), FileBasicInformation);
    if (queried < 0) {
      opening.handle.reset();
      opening.reached = Reached::Failed;
      opening.error = ErrorOf(queried);
      return opening;
    }
    opening.attributes = basic.FileAttributes;
    if (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) opening.reached = Reached::Link;
  }
  return opening;
}

EntryOpening CreateFileEntry(const OpenFolder& folder, const std::wstring& name, ACCESS_MASK access) {
  EntryOpening opening;
  NameInFolder named(folder, name);
  IO_STATUS_BLOCK io{};
  HANDLE handle = nullptr;
  const NTSTATUS status =
      NtCreateFile(&handle, access | GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE, &named.attributes,
                   &io, nullptr, FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ, FILE_OPEN_IF,
                   FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, nullptr, 0);
  if (status < 0) {
    opening.reached = status == kPathNotFound ? Reached::Gone : Reached::Failed;
    opening.error = ErrorOf(status);
    return opening;
  }
  opening.handle.reset(handle);
  const bool created = io.Information == FILE_CREATED;
  bool itself = false;
  if (!WithObjectName(handle, [&](const UNICODE_STRING& actual) { itself = BearsName(actual, folder.name, name); })) {
    if (created) DeleteByHandle(handle);
    opening.handle.reset();
    opening.error = ERROR_INVALID_NAME;
    return opening;
  }
  if (!itself) {
    // A link with nothing at its far end: the system made the file there. It goes again.
    if (created) DeleteByHandle(handle);
    opening.handle.reset();
    opening.reached = Reached::Elsewhere;
    return opening;
  }
  FILE_BASIC_INFORMATION basic{};
  const NTSTATUS queried = NtQueryInformationFile(handle, &io, &basic, sizeof(basic), FileBasicInformation);
  if (queried < 0 || (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    opening.handle.reset();
    opening.reached = queried < 0 ? Reached::Failed : Reached::Link;
    opening.error = queried < 0 ? ErrorOf(queried) : ERROR_SUCCESS;
    return opening;
  }
  opening.attributes = basic.FileAttributes;
  opening.reached = Reached::Entry;
  return opening;
}

OpenFolder EnterFolder(const OpenFolder& folder, const std::wstring& name, EntryOpening&& opening) {
  OpenFolder entered;
  entered.handle = std::move(opening.handle);
  entered.name.reserve(folder.name.size() + 1 + name.size());
  entered.name = folder.name;
  if (!EndsWithSeparator(entered.name)) entered.name += L'\\';
  entered.name += name;
  return entered;
}

DWORD DeleteByHandle(HANDLE handle) {
  FILE_DISPOSITION_INFORMATION disposition{};
  disposition.DoDeleteFile = TRUE;
  IO_STATUS_BLOCK io{};
  const NTSTATUS status = NtSetInformationFile(handle, &io, &disposition, sizeof(disposition),
                                               FileDispositionInformation);
  return status < 0 ? ErrorOf(status) : ERROR_SUCCESS;
}

namespace {

// The folder of a whole-file operation, open; the outcome when it cannot be opened.
bool OpenFolderOf(const std::wstring& folderPath, OpenFolder* folder, FileInResult* result) {
  const DWORD error = OpenFolderByPath(folderPath, folder);
  if (error == ERROR_SUCCESS) return true;
  result->outcome = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileIn::Missing : FileIn::Failed;
  result->error = error;
  return false;
}

// The outcome of an opening that did not reach the file itself.
FileInResult NotReached(const EntryOpening& opening) {
  FileInResult result;
  result.error = opening.error;
  switch (opening.reached) {
    case Reached::Gone: result.outcome = FileIn::Missing; break;
    case Reached::Link:
    case Reached::Elsewhere: result.outcome = FileIn::Link; break;
    default: result.outcome = FileIn::Failed; break;
  }
  return result;
}

}  // namespace

bool HoldFilePath(const std::wstring& path, HeldPath* held) {
  held->folders.clear();
  const bool drive = path.size() > 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                     path[1] == L':' && path[2] == L'\\';
  if (!drive) return false;
  OpenFolder root;
  if (OpenFolderByPath(path.substr(0, 3), &root) != ERROR_SUCCESS) return false;
  held->folders.push_back(std::move(root));
  size_t start = 3;
  for (size_t end; (end = path.find(L'\\', start)) != std::wstring::npos; start = end + 1) {
    const std::wstring name = path.substr(start, end - start);
    if (name.empty() || name == L"." || name == L"..") return false;
    EntryOpening opening = OpenEntry(held->folders.back(), name, EntryKind::Folder, 0);
    if (opening.reached != Reached::Entry) return false;
    OpenFolder next = EnterFolder(held->folders.back(), name, std::move(opening));
    held->folders.push_back(std::move(next));
  }
  const std::wstring name = path.substr(start);
  if (name.empty() || name == L"." || name == L"..") return false;
  return OpenEntry(held->folders.back(), name, EntryKind::File, FILE_READ_ATTRIBUTES).reached == Reached::Entry;
}

FileInResult WriteFileIn(const std::wstring& folderPath, const std::wstring& name, const std::string& content) {
  FileInResult result;
  OpenFolder folder;
  if (!OpenFolderOf(folderPath, &folder, &result)) return result;
  EntryOpening opening = CreateFileEntry(folder, name);
  if (opening.reached != Reached::Entry) return NotReached(opening);
  HANDLE file = opening.handle.get();
  IO_STATUS_BLOCK io{};
  FILE_END_OF_FILE_INFORMATION end{};
  NTSTATUS status = NtSetInformationFile(file, &io, &end, sizeof(end), FileEndOfFileInformation);
  if (status < 0) {
    result.error = ErrorOf(status);
    return result;
  }
  DWORD written = 0;
  if (!content.empty() && (!WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
                           written != content.size())) {
    result.error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    return result;
  }
  result.outcome = FileIn::Done;
  return result;
}

FileInResult ReadFileIn(const std::wstring& folderPath, const std::wstring& name, std::string* content) {
  FileInResult result;
  OpenFolder folder;
  if (!OpenFolderOf(folderPath, &folder, &result)) return result;
  EntryOpening opening = OpenEntry(folder, name, EntryKind::File, GENERIC_READ);
  if (opening.reached == Reached::Link) opening.handle.reset();
  if (opening.reached != Reached::Entry) return NotReached(opening);
  content->clear();
  constexpr size_t kLimit = 16 * 1024 * 1024;
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(opening.handle.get(), buffer, sizeof(buffer), &read, nullptr)) {
      result.error = GetLastError();
      return result;
    }
    if (read == 0) break;
    if (content->size() + read > kLimit) {
      result.error = ERROR_FILE_TOO_LARGE;
      return result;
    }
    content->append(buffer, read);
  }
  result.outcome = FileIn::Done;
  return result;
}

FileInResult DeleteFileIn(const std::wstring& folderPath, const std::wstring& name) {
  FileInResult result;
  OpenFolder folder;
  if (!OpenFolderOf(folderPath, &folder, &result)) return result;
  EntryOpening opening = OpenEntry(folder, name, EntryKind::File, DELETE);
  if (opening.reached != Reached::Entry && opening.reached != Reached::Link) return NotReached(opening);
  result.error = DeleteByHandle(opening.handle.get());
  if (result.error == ERROR_SUCCESS) result.outcome = FileIn::Done;
  return result;
}

}  // namespace platform
