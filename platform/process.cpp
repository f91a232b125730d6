#include "platform/process.h"

#include <vector>

namespace platform {
namespace {

static_assert(sizeof(STARTUPINFOA) == 68, "the started program reads a 68-byte STARTUPINFOA");

// CreateProcessA may write into the command line, so it gets its own copy.
std::vector<char> WritableCopy(const std::string& text) {
  return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

}  // namespace

int32_t RunAndWait(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::vector<char> line = WritableCopy(commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  int32_t result = -1;
  if (WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.hProcess, &exitCode)) result = static_cast<int32_t>(exitCode);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

bool StartHidden(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  std::vector<char> line = WritableCopy(commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace platform
