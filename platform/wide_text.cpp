#include "platform/wide_text.h"

#include <windows.h>

namespace platform {

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return L"";
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string AnsiFromWide(const std::wstring& text) {
  if (text.empty()) return "";
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string narrow(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                      nullptr, nullptr);
  return narrow;
}

std::wstring WideEnvironment(const wchar_t* name) {
  DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  if (n == 0) return L"";
  std::wstring value(n, L'\0');
  n = GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n < value.size() ? n : 0);
  return value;
}

}  // namespace platform
