#include "shell/PageFrame.h"

#include "shell/ProgramState.h"
#include "shell/Strings.h"
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

void LoadCaptionLines(ui::Form& form, int windowCaption, std::span<const CaptionLine> lines) {
  if (windowCaption) {
    if (std::string text = LoadResString(windowCaption); !text.empty()) form.SetCaption(text);
  }
  for (const CaptionLine& line : lines) {
    if (ui::Control* control = form.Find(line.control.name, line.control.index))
      SetCaptionAndTip(*control, line.caption, line.tip);
  }
}

void SetCaptionAndTip(ui::Control& control, int caption, int tip) {
  if (caption) {
    if (std::string text = LoadResString(caption); !text.empty()) control.SetCaption(text);
  }
  if (tip) {
    if (std::string text = LoadResString(tip); !text.empty()) control.SetToolTipText(text);
  }
}
