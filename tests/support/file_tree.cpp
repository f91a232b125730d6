#include "file_tree.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::wstring Long(const std::wstring& path) {
  return path.compare(0, 4, L"\\\\?\\") == 0 ? path : L"\\\\?\\" + path;
}

}  // namespace

ScratchFolder::ScratchFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring name = L"QuenvorTests.files";
  if (const auto* test = testing::UnitTest::GetInstance()->current_test_info()) {
    std::string testName = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : testName)
      if (c == '/' || c == '\\') c = '_';  // parameterised test names carry slashes
    name += L"." + Wide(testName);
  }
  path_ = std::wstring(temp) + name + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
          std::to_wstring(++counter);
  RemoveTree(path_);
  MakeFolder(path_);
}

ScratchFolder::~ScratchFolder() {
  RemoveTree(path_);
  EXPECT_FALSE(Exists(path_)) << "the scratch folder could not be removed: " << Narrow(path_);
}

void MakeFolder(const std::wstring& path, DWORD attributes) {
  const std::wstring full = Long(path);
  if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
    size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos && slash > 2) MakeFolder(path.substr(0, slash));
    ASSERT_TRUE(CreateDirectoryW(full.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << "cannot create " << Narrow(path) << ": " << GetLastError();
  }
  if (attributes != FILE_ATTRIBUTE_DIRECTORY) SetFileAttributesW(full.c_str(), attributes);
}

void MakeFile(const std::wstring& path, DWORD attributes) {
  size_t slash = path.find_last_of(L'\\');
  MakeFolder(path.substr(0, slash));
  HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            attributes, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path) << ": " << GetLastError();
  DWORD written = 0;
  WriteFile(file, "data", 4, &written, nullptr);
  CloseHandle(file);
}

void MakeTree(const std::wstring& root, int folders, int files) {
  MakeFolder(root);
  for (int d = 0; d < folders; ++d) {
    const std::wstring folder = root + L"\\d" + std::to_wstring(d);
    ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr)) << GetLastError();
    for (int f = 0; f < files; ++f) {
      HANDLE file = CreateFileW(Long(folder + L"\\f" + std::to_wstring(f) + L".txt").c_str(),
                                GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
      CloseHandle(file);
    }
  }
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path) {
  const std::wstring full = Long(path);
  const DWORD attributes = GetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(full.c_str());
    return;
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((full + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    for (const std::wstring& name : names) RemoveTree(path + L"\\" + name);
  }
  RemoveDirectoryW(full.c_str());
}
