#include "fakes.h"

#include "shell/ColouredMessageBox.h"

#include <gtest/gtest.h>

#include <cstring>

FakeDialogs::~FakeDialogs() {
  size_t unused = messageAnswers_.size() + restartAnswers_.size() + fileAnswers_.size() +
                  folderAnswers_.size();
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

void FakeDialogs::AnswerBrowseForFolder(bool chosen, const std::string& path,
                                        const std::vector<std::string>& selections) {
  folderAnswers_.push_back({chosen, path, selections});
}

std::vector<FakeDialogs::Call> FakeDialogs::MessageBoxes() const {
  std::vector<Call> boxes;
  for (const Call& call : calls_)
    if (call.kind == Kind::MessageBox) boxes.push_back(call);
  return boxes;
}

void ExpectOnlyMessageBox(const FakeDialogs& dialogs, const std::string& text, UINT style,
                          const std::string& title) {
  const auto boxes = dialogs.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u) << "expected only \"" << text << "\"";
  EXPECT_EQ(boxes[0].text, text);
  EXPECT_EQ(boxes[0].style, style);
  EXPECT_EQ(boxes[0].title, title);
  EXPECT_TRUE(boxes[0].coloured);
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

namespace {

// The stand-in for the folder dialog's window: a message-only window that records the
// BFFM_* messages the callback sends to it.
std::vector<FakeDialogs::BrowseMessage>* browseMessages = nullptr;

LRESULT CALLBACK FakeBrowseWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER && browseMessages) {
    FakeDialogs::BrowseMessage sent;
    sent.message = message;
    sent.wParam = wParam;
    sent.lParam = lParam;
    bool textual = message == BFFM_SETSTATUSTEXTA ||
                   (message == BFFM_SETSELECTIONA && wParam != 0);
    if (textual && lParam) sent.text = reinterpret_cast<const char*>(lParam);
    browseMessages->push_back(sent);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateFakeBrowseWindow() {
  static ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FakeBrowseWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuenvorFakeBrowseDialog";
    return RegisterClassA(&wc);
  }();
  return atom ? CreateWindowExA(0, "QuenvorFakeBrowseDialog", "Browse for Folder", 0, 0, 0, 0,
                                0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr)
              : nullptr;
}

std::string PathOfIdList(LPCITEMIDLIST list) {
  char path[MAX_PATH] = "";
  return list && SHGetPathFromIDListA(list, path) ? std::string(path) : std::string();
}

}  // namespace

LPITEMIDLIST FakeDialogs::BrowseForFolder(BROWSEINFOA& info) {
  Call call;
  call.kind = Kind::BrowseFolder;
  call.coloured = TakeColouring();
  call.owner = info.hwndOwner;
  call.text = info.lpszTitle ? info.lpszTitle : "";
  call.flags = info.ulFlags;
  call.browseRoot = PathOfIdList(info.pidlRoot);
  call.browseCallback = info.lpfn != nullptr;
  if (folderAnswers_.empty()) {
    calls_.push_back(call);
    ADD_FAILURE() << "Unexpected folder dialog \"" << call.text << "\"";
    return nullptr;
  }
  FolderAnswer answer = folderAnswers_.front();
  folderAnswers_.pop_front();

  if (info.lpfn) {
    HWND window = CreateFakeBrowseWindow();
    browseMessages = &call.sent;
    info.lpfn(window, BFFM_INITIALIZED, 0, info.lParam);
    for (const std::string& folder : answer.selections) {
      LPITEMIDLIST list = ILCreateFromPathA(folder.c_str());
      if (!list) {
        ADD_FAILURE() << "FakeDialogs: no item for the selection \"" << folder << "\"";
        continue;
      }
      info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(list), info.lParam);
      ILFree(list);
    }
    browseMessages = nullptr;
    if (window) DestroyWindow(window);
  }
  calls_.push_back(call);
  if (!answer.chosen) return nullptr;
  LPITEMIDLIST chosen = ILCreateFromPathA(answer.path.c_str());
  if (!chosen) ADD_FAILURE() << "FakeDialogs: no item for the chosen \"" << answer.path << "\"";
  return chosen;
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
