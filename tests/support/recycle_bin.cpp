#include "recycle_bin.h"

#include <windows.h>

#include <vector>

#include "platform/wide_text.h"

namespace {

using UnixNameFn = char*(CDECL*)(LPCWSTR);
using DosNameFn = WCHAR*(CDECL*)(const char*);

UnixNameFn UnixNameFunction() {
  return reinterpret_cast<UnixNameFn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
}
DosNameFn DosNameFunction() {
  return reinterpret_cast<DosNameFn>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name"));
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return "";
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// $XDG_DATA_HOME/Trash/<part>/<name>; Unix paths are UTF-8.
std::wstring TrashPath(const char* part, const std::wstring& name) {
  const DWORD size = GetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr, 0);
  if (!size) return L"";
  std::vector<wchar_t> home(size);
  GetEnvironmentVariableW(L"XDG_DATA_HOME", home.data(), size);
  return DosPathOf(Utf8(home.data()) + "/Trash/" + part + "/" + Utf8(name));
}

}  // namespace

bool RunningUnderWine() { return UnixNameFunction() && DosNameFunction(); }

std::string UnixPathOf(const std::wstring& dosPath) {
  if (!RunningUnderWine()) return "";
  char* unixPath = UnixNameFunction()(dosPath.c_str());
  if (!unixPath) return "";
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

std::wstring DosPathOf(const std::string& unixPath) {
  if (!RunningUnderWine()) return L"";
  WCHAR* dosPath = DosNameFunction()(unixPath.c_str());
  if (!dosPath) return L"";
  std::wstring result = dosPath;
  HeapFree(GetProcessHeap(), 0, dosPath);
  return result;
}

std::wstring TrashedFile(const std::wstring& name) { return TrashPath("files", name); }

void ForgetTrashed(const std::wstring& name) {
  const std::wstring file = TrashPath("files", name);
  const std::wstring info = TrashPath("info", name + L".trashinfo");
  if (!file.empty()) DeleteFileW(file.c_str());
  if (!info.empty()) DeleteFileW(info.c_str());
}
