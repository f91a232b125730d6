#include "shell/passwords/PasswordDialog.h"

#include "shell/ProgramState.h"
#include "shell/ColouredMessageBox.h"

bool PasswordDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window(), focus)) lastFocus_ = focus;
    return false;
  }
  if (message != WM_SETFOCUS) return false;
  // The box that had the focus, while it is still one of this load's windows; else the
  // first box.
  HWND target = nullptr;
  for (int i = 0; !target && i < ControlCount(); ++i) {
    HWND w = Controls(i).window();
    if (w && w == lastFocus_ && IsWindowEnabled(w) && IsWindowVisible(w)) target = w;
  }
  for (int i = 0; !target && i < ControlCount(); ++i) {
    ui::Control& c = Controls(i);
    if (c.kind() == ui::Kind::TextBox && c.window() && IsWindowEnabled(c.window())) target = c.window();
  }
  if (!target) return false;
  SetFocus(target);
  *result = 0;
  return true;
}

void PasswordDialog::ShowUpdateFailure(const std::string& action, const PasswordUpdate& update) {
  MsgBox(PasswordUpdateFailureText(action, update), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
}
