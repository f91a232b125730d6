#include "platform/folders.h"

#include <windows.h>

#include <cctype>
#include <vector>

namespace platform {

std::optional<std::string> FolderOnDriveFromEnvironment(const char* variable) {
  const DWORD size = GetEnvironmentVariableA(variable, nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::vector<char> buffer(size);
  const DWORD n = GetEnvironmentVariableA(variable, buffer.data(), size);
  if (n == 0 || n >= size) return std::nullopt;
  std::string folder(buffer.data(), n);
  if (folder.size() < 3 || !std::isalpha(static_cast<unsigned char>(folder[0])) ||
      folder[1] != ':' || folder[2] != '\\')
    return std::nullopt;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

bool FoundWithNormalAttributes(const std::string& path) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return !(found.dwFileAttributes &
           (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace platform
