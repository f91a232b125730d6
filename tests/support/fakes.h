#pragma once
// Fakes for the platform seams. Install one for a test's scope:
//
//   FakeDialogs dialogs;
//   platform::Override<platform::Dialogs> useDialogs(dialogs);
//   dialogs.AnswerMessageBox(IDYES);
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/sound.h"
#include "platform/system_facts.h"

// Scripted answers to modal system UI, one queue per kind of call, and a record of every
// call. A call with no scripted answer fails the test (naming its text) and answers
// IDCANCEL, 0 or false. Answers still queued when the fake is destroyed fail the test too:
// a box the test expected was not shown.
class FakeDialogs : public platform::Dialogs {
 public:
  enum class Kind { MessageBox, Restart, OpenFile, BrowseFolder };

  // A message that the folder dialog's callback sent to the dialog window.
  struct BrowseMessage {
    UINT message = 0;   // BFFM_SETSELECTIONA, BFFM_SETSTATUSTEXTA, BFFM_ENABLEOK ...
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::string text;   // lParam read as a text, for the selection and status-text messages
  };

  struct Call {
    Kind kind = Kind::MessageBox;
    HWND owner = nullptr;
    std::string text;   // message text, restart prompt, or open-file title
    std::string title;  // message-box title
    UINT style = 0;     // message-box style
    DWORD flags = 0;    // restart-dialog or open-file flags
    platform::OpenFileRequest request;  // open-file request as received
    std::string browseRoot;  // folder dialog: path of the root item ("" for none or no path)
    bool browseCallback = false;  // folder dialog: a callback was given
    std::vector<BrowseMessage> sent;  // folder dialog: what the callback sent, in order
    bool coloured = false;  // the program's colouring was armed for this dialog
    UINT Buttons() const { return style & MB_TYPEMASK; }  // MB_OK, MB_YESNO ...
    UINT Icon() const { return style & MB_ICONMASK; }     // MB_ICONINFORMATION ...
  };

  ~FakeDialogs() override;

  void AnswerMessageBox(int button);
  void AnswerRestart(int result);
  // A true answer sets the request's file name to `fileName`.
  void AnswerOpenFile(bool chosen, const std::string& fileName = "");
  // The folder dialog opens (the callback gets BFFM_INITIALIZED), the user moves to each of
  // `selections` in turn (BFFM_SELCHANGED with that folder's ID list), then chooses `path`
  // (when `chosen`) or cancels.
  void AnswerBrowseForFolder(bool chosen, const std::string& path = "",
                             const std::vector<std::string>& selections = {});

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> MessageBoxes() const;  // the message-box calls only, in order

  int MessageBox(HWND owner, const std::string& text, const std::string& title,
                 UINT style) override;
  int RestartDialog(HWND owner, const std::string& prompt, DWORD flags) override;
  bool OpenFile(platform::OpenFileRequest& request) override;
  LPITEMIDLIST BrowseForFolder(BROWSEINFOA& info) override;

 private:
  struct FileAnswer {
    bool chosen;
    std::string fileName;
  };
  struct FolderAnswer {
    bool chosen;
    std::string path;
    std::vector<std::string> selections;
  };
  std::deque<FolderAnswer> folderAnswers_;
  std::deque<int> messageAnswers_;
  std::deque<int> restartAnswers_;
  std::deque<FileAnswer> fileAnswers_;
  std::vector<Call> calls_;
};

// Expects exactly one message box to have been shown, with this text, style and title, in
// the program's colours.
void ExpectOnlyMessageBox(const FakeDialogs& dialogs, const std::string& text, UINT style,
                          const std::string& title = "Quenvor Pro");

// A machine as the test describes it. The defaults are what the test prefix reports:
// 1280 x 1024 at 96 DPI, Windows 6.1.7601 "Service Pack 1", x64, 4 GiB of memory.
class FakeSystemFacts : public platform::SystemFacts {
 public:
  FakeSystemFacts();

  int screenWidth = 1280;
  int screenHeight = 1024;
  int logPixelsX = 96;
  DWORD major = 6, minor = 1, build = 7601;
  std::string csdVersion = "Service Pack 1";
  bool versionFails = false;
  WORD architecture = PROCESSOR_ARCHITECTURE_AMD64;
  MEMORYSTATUSEX memory{};  // dwLength is set by the caller's structure, not from here
  bool memoryFails = false;

  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  int LogPixelsX() override { return logPixelsX; }
  // Fails, as GetVersionExA does, when the size field is neither OSVERSIONINFOA's nor
  // OSVERSIONINFOEXA's.
  bool Version(OSVERSIONINFOA* info) override;
  WORD NativeArchitecture() override { return architecture; }
  // Fails, as GlobalMemoryStatusEx does, when dwLength is not sizeof(MEMORYSTATUSEX).
  bool MemoryStatus(MEMORYSTATUSEX* status) override;
};

class FakeSound : public platform::Sound {
 public:
  struct Played {
    std::string path;
    UINT flags;
  };
  std::vector<Played> played;
  bool result = true;

  bool Play(const std::string& path, UINT flags) override {
    played.push_back({path, flags});
    return result;
  }
};

class FakeWebBrowser : public platform::WebBrowser {
 public:
  std::vector<std::string> opened;
  INT_PTR result = 33;  // what ShellExecuteA gives for a handled address

  INT_PTR Open(const std::string& address) override {
    opened.push_back(address);
    return result;
  }
};
