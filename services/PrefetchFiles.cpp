#include "services/PrefetchFiles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string EnvironmentValue(const char* name) {
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return "";
  std::string value(size, '\0');
  DWORD length = GetEnvironmentVariableA(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

}  // namespace

void DeletePrefetchFiles() {
  const std::string windir = EnvironmentValue("windir");
  if (windir.empty()) return;
  const std::string folder = windir + "\\Prefetch\\";
  // The names first, then the deletions: the folder is not changed under the search.
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.pf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::string path = folder;
  for (const std::string& name : files) {
    path.replace(folder.size(), std::string::npos, name);
    DeleteFileA(path.c_str());
  }
}
