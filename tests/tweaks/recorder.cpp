#include "recorder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>

#include "support/test_child.h"

namespace {

constexpr const char* kLogVariable = "QUENVOR_RECORDER_LOG";
constexpr const char* kStartedEvent = "QuenvorTests.RecorderStarted";

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Runs before main: under a recorded program's name, record and leave.
struct RecordWhenRenamed {
  RecordWhenRenamed() {
    std::string self = Lower(TestProgramPath());
    std::string name = self.substr(self.find_last_of('\\') + 1);
    if (name != "powercfg.exe" && name != "quenvorundo.exe") return;
    char log[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kLogVariable, log, MAX_PATH)) {
      if (FILE* out = std::fopen(log, "a")) {
        std::fprintf(out, "%s\n", GetCommandLineA());
        std::fclose(out);
      }
      if (FILE* out = std::fopen((std::string(log) + ".pid").c_str(), "a")) {
        std::fprintf(out, "%lu\n", GetCurrentProcessId());
        std::fclose(out);
      }
    }
    if (HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, kStartedEvent)) {
      SetEvent(started);
      CloseHandle(started);
    }
    ExitProcess(0);
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

InstalledRecorder::InstalledRecorder(const std::string& path, bool native)
    : path_(path), native_(native) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  log_ = std::string(temp) + "QuenvorTests.recorder." + std::to_string(GetCurrentProcessId()) + ".log";
  DeleteFileA(log_.c_str());
  DeleteFileA((log_ + ".pid").c_str());
  SetEnvironmentVariableA(kLogVariable, log_.c_str());
  started_ = CreateEventA(nullptr, TRUE, FALSE, kStartedEvent);
  NativeFolders folders(native_);
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
  }
  DeleteFileA((log_ + ".pid").c_str());
  DeleteFileA(log_.c_str());
  SetEnvironmentVariableA(kLogVariable, nullptr);
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
