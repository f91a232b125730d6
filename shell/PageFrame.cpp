#include "shell/PageFrame.h"

#include "shell/ProgramState.h"
#include "shell/frmmain.h"

void Page::Form_Unload(int& cancel) { ReturnToMainWindow(); }

void OpenPage(ui::Form& page) {
  frmmain->PlayClickSound2();
  frmmain->Hide();
  page.Show(ui::vbModeless, &*frmmain);
}

void ReturnToMainWindow() {
  if (ProgramEnding) return;  // the program is closing: nothing comes back
  frmmain->Show();
  frmmain->Refresh();
}

void CloseAndReturn(ui::Form& page) {
  page.Unload();
  ReturnToMainWindow();
}
