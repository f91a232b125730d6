#include "support/main_window.h"

#include "platform/seam.h"
#include "shell/ProgramState.h"
#include "shell/frmmain.h"
#include "support/fakes.h"

void CloseMainWindow() {
  // A page closed while the main window is away brings the main window back: then it is
  // closed again.
  for (int round = 0; round < 2; ++round) {
    if (frmmain->Loaded()) {
      FakeDialogs dialogs;
      platform::Override<platform::Dialogs> use(dialogs);
      if (RestartNeeded) dialogs.AnswerRestart(0);
      else dialogs.AnswerMessageBox(IDOK);
      frmmain->Unload();
    }
    for (ui::Form* form : ui::LoadedForms()) form->Unload();
    ui::DoEvents();
    ProgramEnding = false;
    if (!frmmain->Loaded()) break;
  }
}
