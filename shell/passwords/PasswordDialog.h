#pragma once
// What the start-up prompt and the create, change and remove password dialogs share: a
// row of password boxes, OK (Enter) and Cancel (Esc), and the focus in the first box.
#include <string>

#include "shell/passwords/PasswordStore.h"
#include "ui/form.h"

class PasswordDialog : public ui::Form {
 public:
  using ui::Form::Form;

 protected:
  // The focus starts in the first box, where the tab order begins, and comes back to the
  // box that had it when the dialog is activated again (after a message box).
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  // The message for an update that failed; the dialog stays open.
  void ShowUpdateFailure(const std::string& action, const PasswordUpdate& update);

 private:
  HWND lastFocus_ = nullptr;
};
