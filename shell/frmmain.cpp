#include "shell/frmmain.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/sound.h"
#include "shell/Module6.h"
#include "shell/RegistryDeclares.h"
#include "shell/Strings.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "Label21", .rect = {120, 60, 5655, 300}, .fontSize = 12,
     .style = ui::kBold},
    {.kind = Kind::Menu, .name = "file_menu", .caption = "File"},
    {.kind = Kind::Menu, .name = "mnu_exit", .parent = "file_menu", .caption = "Exit"},
};

constexpr ui::FormDef kForm{.name = "frmmain",
                            .caption = "Quenvor Pro",
                            .width = 6300,
                            .height = 8400,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr int kMajorVersion = 2;
constexpr int kMinorVersion = 0;

}  // namespace

std::string AppPath() {
  char path[MAX_PATH]{};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  size_t slash = s.find_last_of('\\');
  return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

FrmMain::FrmMain() : Form(kForm, kDesign) {}

void FrmMain::BindEvents() {
  mnu_exit->Click = [this] { mnu_exit_Click(); };
}

void FrmMain::LoadCaptions() {
  Find("file_menu")->SetCaption(LoadResString(203));
  mnu_exit->SetCaption(LoadResString(199));
}

void FrmMain::Form_Load() {
  LoadCaptions();
  std::string title = "Quenvor Pro " + std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
  SetCaption(title);
  Label21->SetCaption(title);
  RestartNeeded = false;
  LoadResize();
  ShowMainAfterRestore = true;
}

void FrmMain::LoadResize() { ScalePageToScreen(*this, 2); }

void FrmMain::PlayClickSound1() {
  if (!SoundsDisabled) platform::sound().Play(AppPath() + "\\click1.wav", SND_ASYNC);
}

void FrmMain::PlayClickSound2() {
  if (!SoundsDisabled) platform::sound().Play(AppPath() + "\\click2.wav", SND_ASYNC);
}

void FrmMain::mnu_exit_Click() { Unload(); }
