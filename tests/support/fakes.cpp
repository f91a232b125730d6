#include "fakes.h"

#include "shell/modDialogs.h"

#include <gtest/gtest.h>

#include <cstring>

FakeDialogs::~FakeDialogs() {
  size_t unused = messageAnswers_.size() + restartAnswers_.size() + fileAnswers_.size();
  if (unused) {
    ADD_FAILURE() << "FakeDialogs: " << unused
                  << " scripted answer(s) never used: a dialog the test expected was not shown";
  }
}

void FakeDialogs::AnswerMessageBox(int button) { messageAnswers_.push_back(button); }
void FakeDialogs::AnswerRestart(int result) { restartAnswers_.push_back(result); }
void FakeDialogs::AnswerOpenFile(bool chosen, const std::string& fileName) {
  fileAnswers_.push_back({chosen, fileName});
}

std::vector<FakeDialogs::Call> FakeDialogs::MessageBoxes() const {
  std::vector<Call> boxes;
  for (const Call& call : calls_)
    if (call.kind == Kind::MessageBox) boxes.push_back(call);
  return boxes;
}

namespace {

// A real dialog would have used the arming; the fake shows none, so it records whether the
// caller armed the colouring and takes the arming back.
bool TakeColouring() {
  bool armed = DialogColoringArmed();
  DisarmDialogColoring();
  return armed;
}

}  // namespace

int FakeDialogs::MessageBox(HWND owner, const std::string& text, const std::string& title,
                            UINT style) {
  Call call;
  call.kind = Kind::MessageBox;
  call.coloured = TakeColouring();
  call.owner = owner;
  call.text = text;
  call.title = title;
  call.style = style;
  calls_.push_back(call);
  if (messageAnswers_.empty()) {
    ADD_FAILURE() << "Unexpected message box \"" << text << "\" titled \"" << title
                  << "\", style 0x" << std::hex << style;
    return IDCANCEL;
  }
  int answer = messageAnswers_.front();
  messageAnswers_.pop_front();
  return answer;
}

int FakeDialogs::RestartDialog(HWND owner, const std::string& prompt, DWORD flags) {
  Call call;
  call.kind = Kind::Restart;
  call.coloured = TakeColouring();
  call.owner = owner;
  call.text = prompt;
  call.flags = flags;
  calls_.push_back(call);
  if (restartAnswers_.empty()) {
    ADD_FAILURE() << "Unexpected restart dialog \"" << prompt << "\", flags 0x" << std::hex
                  << flags;
    return 0;
  }
  int answer = restartAnswers_.front();
  restartAnswers_.pop_front();
  return answer;
}

bool FakeDialogs::OpenFile(platform::OpenFileRequest& request) {
  Call call;
  call.kind = Kind::OpenFile;
  call.coloured = TakeColouring();
  call.owner = request.owner;
  call.text = request.title;
  call.flags = request.flags;
  call.request = request;
  calls_.push_back(call);
  if (fileAnswers_.empty()) {
    ADD_FAILURE() << "Unexpected file-open dialog \"" << request.title << "\"";
    return false;
  }
  FileAnswer answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  if (answer.chosen) request.fileName = answer.fileName;
  return answer.chosen;
}

FakeSystemFacts::FakeSystemFacts() {
  const DWORDLONG GiB = 1024ull * 1024 * 1024;
  memory.dwMemoryLoad = 25;
  memory.ullTotalPhys = 4 * GiB;
  memory.ullAvailPhys = 3 * GiB;
  memory.ullTotalPageFile = 8 * GiB;
  memory.ullAvailPageFile = 6 * GiB;
  memory.ullTotalVirtual = 4 * GiB;
  memory.ullAvailVirtual = 3 * GiB;
}

bool FakeSystemFacts::Version(OSVERSIONINFOA* info) {
  DWORD size = info->dwOSVersionInfoSize;
  if (versionFails || (size != sizeof(OSVERSIONINFOA) && size != sizeof(OSVERSIONINFOEXA)))
    return false;
  info->dwMajorVersion = major;
  info->dwMinorVersion = minor;
  info->dwBuildNumber = build;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
  csdVersion.copy(info->szCSDVersion, sizeof(info->szCSDVersion) - 1);
  return true;
}

bool FakeSystemFacts::MemoryStatus(MEMORYSTATUSEX* status) {
  if (memoryFails || status->dwLength != sizeof(MEMORYSTATUSEX)) return false;
  *status = memory;
  status->dwLength = sizeof(MEMORYSTATUSEX);
  return true;
}
