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

ProcessRun RunProcess(const std::string& commandLine, int showCommand, DWORD waitMs,
                      bool inheritHandles) {
  ProcessRun run;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  if (showCommand != kOwnWindow) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
  }
  PROCESS_INFORMATION process{};
  std::vector<char> line = WritableCopy(commandLine);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, inheritHandles, NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    run.error = GetLastError();
    return run;
  }
  run.started = true;
  if (waitMs != 0 && WaitForSingleObject(process.hProcess, waitMs) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    if (GetExitCodeProcess(process.hProcess, &exitCode)) {
      run.finished = true;
      run.exitCode = exitCode;
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

int32_t RunAndWait(const std::string& commandLine) {
  ProcessRun run = RunProcess(commandLine, kOwnWindow, INFINITE, true);
  return run.finished ? static_cast<int32_t>(run.exitCode) : -1;
}

bool StartHidden(const std::string& commandLine) {
  return RunProcess(commandLine, SW_HIDE, 0).started;
}

std::string SystemErrorText(DWORD error) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = length && buffer ? std::string(buffer, length) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text.empty() ? "Error " + std::to_string(error) : text;
}

}  // namespace platform
