#pragma once
// Programs that the pages start and that the prefix lacks (powercfg, wuapp) or that must
// not run for real (the undo program, rundll32's dialogs, netsh, ipconfig) are replaced by
// this test program itself: copied into the prefix under the program's name, it appends
// its command line to a log file, sets a named event and exits with the exit code the test
// chose, before any test runs. A program of that name already there is set aside meanwhile
// and put back afterwards.
//
//   InstalledRecorder ipconfig("C:\\windows\\system32\\ipconfig.exe", false, 1);
//   ... the page runs "ipconfig /flushdns", which exits with 1 ...
//   EXPECT_EQ(ipconfig.CommandLines(), std::vector<std::string>{"ipconfig /flushdns"});
//
// Each program name has its own log, event and exit code, so recorders of several programs
// can be installed at once.
#include <windows.h>

#include <string>
#include <vector>

class InstalledRecorder {
 public:
  // Copies the test program to `path`. With `native`, file-system redirection is off while
  // copying and deleting, so "C:\windows\System32" names the native folder; without it a
  // 32-bit program's System32 is the folder its own searches use.
  InstalledRecorder(const std::string& path, bool native, DWORD exitCode = 0);
  ~InstalledRecorder();
  InstalledRecorder(const InstalledRecorder&) = delete;
  InstalledRecorder& operator=(const InstalledRecorder&) = delete;

  bool Installed() const { return installed_; }
  // The command lines recorded so far, oldest first.
  std::vector<std::string> CommandLines() const;
  // Waits (at most a minute) until a started recorder has written its line.
  bool WaitForStart();

 private:
  std::string path_;
  std::string name_;  // the program's file name, lower case
  bool native_;
  bool installed_ = false;
  bool setAside_ = false;
  std::string log_;
  HANDLE started_ = nullptr;
};
