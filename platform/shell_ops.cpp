#include "platform/shell_ops.h"

#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/modal_to_program.h"

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

ShellDeleteResult ShellDelete(const std::string& path, FILEOP_FLAGS flags, HWND owner) {
  // The source is a list of paths ended by an empty one: the path and two NULs. A NUL
  // inside the text would start a second path, so the path ends at its first NUL.
  std::string one = path.substr(0, path.find('\0'));
  std::vector<char> from(one.begin(), one.end());
  from.push_back('\0');
  from.push_back('\0');
  ModalWhileShellWorks modal(owner);
  SHFILEOPSTRUCTA op{};
  op.hwnd = modal.Owner();
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
  // A search matches every name it meets against one pattern list: the list stays converted
  // from one call to the next, and a name of ordinary length is converted on the stack.
  thread_local std::string lastPatterns;
  thread_local std::wstring widePatterns;
  if (patterns != lastPatterns) {
    lastPatterns = patterns;
    widePatterns = Widen(patterns);
  }
  const size_t length = std::min(name.find('\0'), name.size());
  wchar_t buffer[2 * MAX_PATH];
  std::wstring longName;
  const wchar_t* wideName = buffer;
  if (length < std::size(buffer)) {
    const int n = length ? MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(length), buffer,
                                               static_cast<int>(std::size(buffer)) - 1)
                         : 0;
    buffer[n] = L'\0';
  } else {
    longName = Widen(name.substr(0, length));
    wideName = longName.c_str();
  }
  return PathMatchesSpec(wideName, widePatterns.c_str());
}

bool PathMatchesSpec(const wchar_t* name, const wchar_t* patterns) {
  return PathMatchSpecW(name, patterns) != FALSE;
}

}  // namespace platform
