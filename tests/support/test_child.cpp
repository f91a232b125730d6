#include "test_child.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

std::string TestProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

int RunTestChildIfAsked(int argc, char** argv) {
  if (argc != 5 || std::strcmp(argv[1], "--report-startup") != 0) return -1;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoA(&startup);
  bool released = false;
  if (HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[3])) {
    released = WaitForSingleObject(release, 30000) == WAIT_OBJECT_0;
    CloseHandle(release);
  }
  if (FILE* report = std::fopen(argv[2], "w")) {
    std::fprintf(report, "flags=%lu show=%u released=%d\n", startup.dwFlags,
                 static_cast<unsigned>(startup.wShowWindow), released ? 1 : 0);
    std::fclose(report);
  }
  if (HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[4])) {
    SetEvent(done);
    CloseHandle(done);
  }
  return 0;
}
