#include "recorder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "support/test_child.h"

namespace {

// Per program name: the log file and the exit code, handed to the started copy through
// its inherited environment.
std::string LogVariable(const std::string& name) { return "QUENVOR_RECORDER_LOG_" + name; }
std::string ExitVariable(const std::string& name) { return "QUENVOR_RECORDER_EXIT_" + name; }
std::string StartedEvent(const std::string& name) { return "QuenvorTests.RecorderStarted." + name; }
constexpr const char* kSetAsideSuffix = ".set-aside-by-test";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string FileName(const std::string& path) {
  return Lower(path.substr(path.find_last_of('\\') + 1));
}

std::string Environment(const std::string& name) {
  char value[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA(name.c_str(), value, MAX_PATH);
  return n && n < MAX_PATH ? std::string(value, n) : std::string();
}

// Runs before main: started under a name that a recorder was installed for, record and
// leave.
struct RecordWhenRenamed {
  RecordWhenRenamed() {
    const std::string name = FileName(TestProgramPath());
    const std::string log = Environment(LogVariable(name));
    if (log.empty()) return;  // the test program itself
    if (FILE* out = std::fopen(log.c_str(), "a")) {
      std::fprintf(out, "%s\n", GetCommandLineA());
      std::fclose(out);
    }
    if (FILE* out = std::fopen((log + ".pid").c_str(), "a")) {
      std::fprintf(out, "%lu\n", GetCurrentProcessId());
      std::fclose(out);
    }
    if (HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, StartedEvent(name).c_str())) {
      SetEvent(started);
      CloseHandle(started);
    }
    ExitProcess(std::strtoul(Environment(ExitVariable(name)).c_str(), nullptr, 10));
  }
} recordWhenRenamed;

// File-system redirection off for its scope.
class NativeFolders {
 public:
  explicit NativeFolders(bool on) : on_(on) {
    if (on_) Wow64DisableWow64FsRedirection(&old_);
  }
  ~NativeFolders() {
    if (on_) Wow64RevertWow64FsRedirection(old_);
  }

 private:
  bool on_;
  PVOID old_ = nullptr;
};

}  // namespace

InstalledRecorder::InstalledRecorder(const std::string& path, bool native, DWORD exitCode)
    : path_(path), name_(FileName(path)), native_(native) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  log_ = std::string(temp) + "QuenvorTests.recorder." + std::to_string(GetCurrentProcessId()) +
         "." + name_ + ".log";
  DeleteFileA(log_.c_str());
  DeleteFileA((log_ + ".pid").c_str());
  SetEnvironmentVariableA(LogVariable(name_).c_str(), log_.c_str());
  SetEnvironmentVariableA(ExitVariable(name_).c_str(), std::to_string(exitCode).c_str());
  started_ = CreateEventA(nullptr, TRUE, FALSE, StartedEvent(name_).c_str());
  NativeFolders folders(native_);
  if (GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
    setAside_ = MoveFileExA(path_.c_str(), (path_ + kSetAsideSuffix).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    EXPECT_TRUE(setAside_) << "cannot set " << path_ << " aside: " << GetLastError();
  }
  installed_ = CopyFileA(TestProgramPath().c_str(), path_.c_str(), FALSE) != 0;
  EXPECT_TRUE(installed_) << "cannot copy the recorder to " << path_ << ": " << GetLastError();
}

InstalledRecorder::~InstalledRecorder() {
  // A started recorder may still be ending: its program file stays in use until it has.
  std::ifstream pids(log_ + ".pid");
  for (DWORD pid; pids >> pid;) {
    if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid)) {
      EXPECT_EQ(WaitForSingleObject(process, 60000), WAIT_OBJECT_0) << "a recorder never ended";
      CloseHandle(process);
    }
  }
  pids.close();
  {
    NativeFolders folders(native_);
    if (installed_) {
      EXPECT_TRUE(DeleteFileA(path_.c_str())) << path_ << ": " << GetLastError();
    }
    if (setAside_) {
      EXPECT_TRUE(MoveFileExA((path_ + kSetAsideSuffix).c_str(), path_.c_str(), 0))
          << "cannot put " << path_ << " back: " << GetLastError();
    }
  }
  DeleteFileA((log_ + ".pid").c_str());
  DeleteFileA(log_.c_str());
  SetEnvironmentVariableA(LogVariable(name_).c_str(), nullptr);
  SetEnvironmentVariableA(ExitVariable(name_).c_str(), nullptr);
  if (started_) CloseHandle(started_);
}

std::vector<std::string> InstalledRecorder::CommandLines() const {
  std::vector<std::string> lines;
  std::ifstream in(log_);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool InstalledRecorder::WaitForStart() {
  return started_ && WaitForSingleObject(started_, 60000) == WAIT_OBJECT_0;
}
