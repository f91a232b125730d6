// The test prefix is sealed from the host, seen from inside: no drive reaches the host's
// root, the user folders are real folders of the prefix, and the recycle bin empties into
// a trash folder of the prefix. Unix paths come from Wine's own kernel32 exports; on real
// Windows these tests are skipped.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "platform/shell_ops.h"

namespace {

using UnixNameFn = char*(CDECL*)(LPCWSTR);
using DosNameFn = WCHAR*(CDECL*)(const char*);

UnixNameFn UnixNameFunction() {
  return reinterpret_cast<UnixNameFn>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
}
DosNameFn DosNameFunction() {
  return reinterpret_cast<DosNameFn>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name"));
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());  // the paths here are ASCII
}

std::string UnixPath(const std::wstring& dosPath) {
  char* unixPath = UnixNameFunction()(dosPath.c_str());
  if (!unixPath) return "";
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

std::wstring DosPath(const std::string& unixPath) {
  WCHAR* dosPath = DosNameFunction()(unixPath.c_str());
  if (!dosPath) return L"";
  std::wstring result = dosPath;
  HeapFree(GetProcessHeap(), 0, dosPath);
  return result;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}
bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.compare(0, start.size(), start) == 0;
}

class Sandbox : public testing::Test {
 protected:
  void SetUp() override {
    if (!UnixNameFunction() || !DosNameFunction()) GTEST_SKIP() << "not running under Wine";
    // C:\ is <prefix>/dosdevices/c:/ (the link to drive_c is not resolved).
    std::string drive = UnixPath(L"C:\\");
    const std::string tail = "/dosdevices/c:/";
    ASSERT_GT(drive.size(), tail.size());
    ASSERT_EQ(drive.substr(drive.size() - tail.size()), tail) << drive;
    prefix_ = drive.substr(0, drive.size() - tail.size());
  }
  std::string prefix_;  // the unix path of the prefix, without a final "/"
};

TEST_F(Sandbox, NoDriveReachesTheHostRoot) {
  EXPECT_EQ(GetLogicalDrives() & (1u << ('Z' - 'A')), 0u) << "drive Z: exists";
  // The host's root lies on no drive letter, so drive scans stay inside the prefix.
  std::wstring root = DosPath("/");
  EXPECT_TRUE(StartsWith(root, L"\\\\?\\unix\\")) << std::string(root.begin(), root.end());
}

// The shell's desktop, which the shell views and the file dialogs show, holds no folder of
// the host: Wine's own puts the host's root "/" there.
TEST_F(Sandbox, TheShellsDesktopShowsNoHostFolder) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IShellFolder* desktop = nullptr;
  ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
  IEnumIDList* items = nullptr;
  ASSERT_EQ(desktop->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                 &items),
            S_OK);
  int count = 0;
  LPITEMIDLIST item = nullptr;
  while (items->Next(1, &item, nullptr) == S_OK) {
    ++count;
    STRRET name{};
    WCHAR parsing[MAX_PATH] = {};
    if (SUCCEEDED(desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name)))
      StrRetToBufW(&name, item, parsing, MAX_PATH);
    const std::wstring path = parsing;
    EXPECT_FALSE(StartsWith(path, L"\\\\?\\unix")) << std::string(path.begin(), path.end());
    EXPECT_NE(path, L"/");
    CoTaskMemFree(item);
  }
  items->Release();
  desktop->Release();
  CoUninitialize();
  EXPECT_GT(count, 0) << "the desktop lists nothing";
}

struct UserFolder {
  const char* name;
  int csidl;  // -1: Downloads, which has no CSIDL
};

class SandboxUserFolders : public Sandbox, public testing::WithParamInterface<UserFolder> {};

TEST_P(SandboxUserFolders, IsARealFolderInsideThePrefix) {
  std::string path;
  if (GetParam().csidl >= 0) {
    char buffer[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, GetParam().csidl, nullptr, SHGFP_TYPE_CURRENT, buffer),
              S_OK);
    path = buffer;
  } else {
    PWSTR wide = nullptr;
    ASSERT_EQ(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &wide), S_OK);
    std::wstring w = wide;
    CoTaskMemFree(wide);
    path.assign(w.begin(), w.end());
  }
  SCOPED_TRACE(path);

  // A link to the host's home would show as a reparse point and resolve off every drive.
  DWORD attributes = GetFileAttributesA(path.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

  HANDLE folder =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(folder, INVALID_HANDLE_VALUE);
  WCHAR finalPath[1024] = {};
  DWORD length = GetFinalPathNameByHandleW(folder, finalPath, 1024, FILE_NAME_NORMALIZED);
  CloseHandle(folder);
  ASSERT_GT(length, 0u);
  std::wstring resolved = finalPath;
  EXPECT_TRUE(StartsWith(resolved, L"\\\\?\\C:\\"))
      << "resolves to " << std::string(resolved.begin(), resolved.end());

  EXPECT_TRUE(StartsWith(UnixPath(Widen(path)), prefix_ + "/"));

  // The file that keeps Wine from linking the folder again is hidden, as a user folder's
  // desktop.ini is on Windows: the shell's views and the file dialogs do not list it.
  const DWORD marker = GetFileAttributesA((path + "\\desktop.ini").c_str());
  ASSERT_NE(marker, INVALID_FILE_ATTRIBUTES) << "no marker file";
  EXPECT_EQ(marker & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
}

INSTANTIATE_TEST_SUITE_P(Folders, SandboxUserFolders,
                         testing::Values(UserFolder{"Desktop", CSIDL_DESKTOPDIRECTORY},
                                         UserFolder{"Documents", CSIDL_PERSONAL},
                                         UserFolder{"Downloads", -1},
                                         UserFolder{"Music", CSIDL_MYMUSIC},
                                         UserFolder{"Pictures", CSIDL_MYPICTURES},
                                         UserFolder{"Videos", CSIDL_MYVIDEO},
                                         UserFolder{"Templates", CSIDL_TEMPLATES}),
                         [](const auto& info) { return std::string(info.param.name); });

// Wine's recycle bin is the XDG trash of $XDG_DATA_HOME, which the Windows process sees in
// its environment as a unix path; the scripts point it into the prefix.
TEST_F(Sandbox, RecycleBinIsTheTrashInsideThePrefix) {
  char xdg[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("XDG_DATA_HOME", xdg, MAX_PATH), 0u)
      << "XDG_DATA_HOME is not set: the recycle bin would be the host's trash";
  std::string dataHome = xdg;
  EXPECT_TRUE(StartsWith(dataHome, prefix_ + "/")) << dataHome;

  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string name = "quenvor-recycled." + std::to_string(GetCurrentProcessId()) + ".txt";
  std::string path = std::string(temp) + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  auto result = platform::ShellDelete(
      path, FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI, nullptr);
  EXPECT_EQ(result.code, 0);
  EXPECT_FALSE(result.aborted);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "still in place";

  std::wstring trashed = DosPath(dataHome + "/Trash/files/" + name);
  std::wstring info = DosPath(dataHome + "/Trash/info/" + name + ".trashinfo");
  EXPECT_NE(GetFileAttributesW(trashed.c_str()), INVALID_FILE_ATTRIBUTES)
      << "not in the prefix's trash";
  EXPECT_NE(GetFileAttributesW(info.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(trashed.c_str());
  DeleteFileW(info.c_str());
}

}  // namespace
