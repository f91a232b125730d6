#pragma once
// Modal system windows (message boxes, the shell's questions) keep the whole program
// disabled behind them, not only their owner.
#include <windows.h>

#include <optional>
#include <vector>

namespace platform {

// Keeps every window of the program but the system window's owner disabled while it lives,
// and gives the system window its owner: the one the caller named, else the program's
// active window, else none. The system disables the owner of its modal window (a message
// box, a dialog) and enables it again before that window goes, so that the owner is
// activated when it closes; the others come back afterwards, exactly those that were
// enabled before.
class ModalToProgram {
 public:
  // `except`: a window of the thread that stays as it is (the system window itself, when it
  // exists already).
  explicit ModalToProgram(HWND owner, HWND except = nullptr);
  ~ModalToProgram();
  ModalToProgram(const ModalToProgram&) = delete;
  ModalToProgram& operator=(const ModalToProgram&) = delete;

  HWND Owner() const { return owner_; }

  // The program's active window, when it is one of this thread's.
  static HWND ActiveWindowOfThisThread();

 private:
  static BOOL CALLBACK DisableOne(HWND window, LPARAM self);

  HWND owner_;
  HWND except_;
  std::vector<HWND> disabled_;
};

// While the shell works for the program on this thread (a file operation): when it opens a
// window (its question whether to delete a file for good, an error), the program is modal
// to it from then on, as to a message box; when it opens none, nothing changes. The
// shell's windows are owned by `owner` (see ModalToProgram: else the active window).
class ModalWhileShellWorks {
 public:
  explicit ModalWhileShellWorks(HWND owner);
  ~ModalWhileShellWorks();
  ModalWhileShellWorks(const ModalWhileShellWorks&) = delete;
  ModalWhileShellWorks& operator=(const ModalWhileShellWorks&) = delete;

  // The owner to give the shell.
  HWND Owner() const { return owner_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  HHOOK hook_ = nullptr;
  ModalWhileShellWorks* outer_;
  std::optional<ModalToProgram> modal_;
  static thread_local ModalWhileShellWorks* current_;
};

}  // namespace platform
