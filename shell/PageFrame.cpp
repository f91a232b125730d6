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

void LoadPageCaptions(ui::Form& page, int windowCaption, std::span<const CaptionLine> lines) {
  auto text = [](int id) { return id == kNoText ? std::string() : LoadResString(id); };
  if (std::string caption = text(windowCaption); !caption.empty()) page.SetCaption(caption);
  for (const CaptionLine& line : lines) {
    ui::Control* control = page.Find(line.control.name, line.control.index);
    if (!control) continue;
    if (std::string caption = text(line.caption); !caption.empty()) control->SetCaption(caption);
    if (std::string tip = text(line.tip); !tip.empty()) control->SetToolTipText(tip);
  }
}
