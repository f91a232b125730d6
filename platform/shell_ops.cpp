#include "platform/shell_ops.h"

#include <shlwapi.h>

#include <vector>

namespace platform {
namespace {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

}  // namespace

ShellDeleteResult ShellDelete(const std::string& path, FILEOP_FLAGS flags) {
  // The source is a list of paths ended by an empty one: the path and two NULs. A NUL
  // inside the text would start a second path, so the path ends at its first NUL.
  std::string one = path.substr(0, path.find('\0'));
  std::vector<char> from(one.begin(), one.end());
  from.push_back('\0');
  from.push_back('\0');
  SHFILEOPSTRUCTA op{};
  op.hwnd = nullptr;
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.pTo = nullptr;
  op.fFlags = flags;
  ShellDeleteResult result;
  result.code = SHFileOperationA(&op);
  result.aborted = op.fAnyOperationsAborted != FALSE;
  return result;
}

bool PathMatchesSpec(const std::string& name, const std::string& patterns) {
  std::wstring wideName = Widen(name.substr(0, name.find('\0')));
  std::wstring widePatterns = Widen(patterns);
  return PathMatchSpecW(wideName.c_str(), widePatterns.c_str()) != FALSE;
}

}  // namespace platform
