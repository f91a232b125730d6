#include "platform/modal_to_program.h"

namespace platform {

ModalToProgram::ModalToProgram(HWND owner, HWND except)
    : owner_(owner ? owner : ActiveWindowOfThisThread()), except_(except) {
  EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(this));
}

ModalToProgram::~ModalToProgram() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
}

HWND ModalToProgram::ActiveWindowOfThisThread() {
  HWND active = GetActiveWindow();
  return active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId() ? active : nullptr;
}

BOOL CALLBACK ModalToProgram::DisableOne(HWND window, LPARAM self) {
  auto* modal = reinterpret_cast<ModalToProgram*>(self);
  if (window != modal->owner_ && window != modal->except_ && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    modal->disabled_.push_back(window);
  }
  return TRUE;
}

thread_local ModalWhileShellWorks* ModalWhileShellWorks::current_ = nullptr;

ModalWhileShellWorks::ModalWhileShellWorks(HWND owner)
    : owner_(owner ? owner : ModalToProgram::ActiveWindowOfThisThread()), outer_(current_) {
  current_ = this;
  hook_ = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
}

ModalWhileShellWorks::~ModalWhileShellWorks() {
  if (hook_) UnhookWindowsHookEx(hook_);
  current_ = outer_;
  modal_.reset();  // the program's windows come back
}

LRESULT CALLBACK ModalWhileShellWorks::Hook(int code, WPARAM wParam, LPARAM lParam) {
  // The first top-level window the shell makes; a nested file operation (from a message
  // handled while the shell's question is up) has its own.
  ModalWhileShellWorks* works = current_;
  if (code == HCBT_CREATEWND && works && !works->modal_) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    if (!(create->lpcs->style & WS_CHILD) && create->lpcs->hwndParent != HWND_MESSAGE)
      works->modal_.emplace(works->owner_, reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace platform
