#pragma once
// Programs that the pages start and that the prefix lacks (powercfg) or that must not run
// for real (the undo program) are replaced by this test program itself: copied into the
// prefix under the program's name, it appends its command line to a log file, sets a
// named event and exits before any test runs.
#include <windows.h>

#include <string>
#include <vector>

class InstalledRecorder {
 public:
  // Copies the test program to `path`. With `native`, file-system redirection is off while
  // copying and deleting, so "C:\windows\System32" names the native folder; without it a
  // 32-bit program's System32 is the folder its own searches use.
  InstalledRecorder(const std::string& path, bool native);
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
  bool native_;
  bool installed_ = false;
  std::string log_;
  HANDLE started_ = nullptr;
};
