#include "shell/help/frmAbout.h"

#include "platform/registry.h"
#include "platform/sound.h"
#include "resources/picture_ids.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/ColouredMessageBox.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::PictureBox, .name = "Picture", .rect = {240, 240, 720, 720}, .picture = IDB_MAKER},
    {.kind = Kind::Label, .name = "lblTitle", .rect = {1200, 240, 4440, 375}, .fontSize = 12,
     .style = ui::kBold},
    {.kind = Kind::Label, .name = "lblVersion", .rect = {1200, 660, 4440, 255}},
    {.kind = Kind::Label, .name = "lblDescription", .rect = {1200, 960, 4440, 255}, .fontSize = 9},
    {.kind = Kind::Line, .name = "Line1", .index = 0, .rect = {240, 1380, 5640, 1380}},
    {.kind = Kind::Label, .name = "Label1", .rect = {240, 1500, 5400, 255}},
    {.kind = Kind::Custom, .name = "mkcHyperLinks4", .rect = {240, 1770, 5400, 255},
     .caption = "https://quenvor.example/controls/", .customClass = ui::kHyperLinkClass},
    {.kind = Kind::Label, .name = "Label2", .rect = {240, 2070, 5400, 450}},
    {.kind = Kind::Line, .name = "Line1", .index = 1, .rect = {240, 2640, 5640, 2640}},
    {.kind = Kind::Label, .name = "Label4", .rect = {240, 2760, 1680, 255}, .caption = "Visit our website at:"},
    {.kind = Kind::Custom, .name = "mkcHyperLinks2", .rect = {1920, 2760, 3720, 255},
     .customClass = ui::kHyperLinkClass},
    {.kind = Kind::Label, .name = "Label3", .rect = {240, 3120, 4080, 450},
     .caption = "Copyright \xA9 Dallmoor Software.  All rights reserved."},
    {.kind = Kind::CommandButton, .name = "cmdOK", .rect = {4440, 3240, 1215, 375},
     .style = ui::kDefault | ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmAbout",
                            .width = 6060,
                            .height = 4140,
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false};

}  // namespace

FrmAbout::FrmAbout() : Page(kForm, kDesign) {}

void FrmAbout::BindEvents() {
  cmdOK->Click = [this] { cmdOK_Click(); };
  Picture->Click = [this] { Picture_Click(); };
}

void FrmAbout::LoadCaptions() {
  lblDescription->SetCaption(LoadResString(11));
  Label1->SetCaption(LoadResString(553));
  Label2->SetCaption(LoadResString(82));
  mkcHyperLinks2->SetCaption(LoadResString(688));
  cmdOK->SetCaption(LoadResString(699));
}

void FrmAbout::Form_Load() {
  LoadCaptions();
  SetCaption(LoadResString(12) + " " + kAppTitle);
  lblVersion->SetCaption(ProductNameWithVersion());
  lblTitle->SetCaption(kAppTitle);
  mkcHyperLinks4->SetTarget(kControlsWebPage);
  mkcHyperLinks2->SetTarget(kHomeWebPage);
  Picture->SetToolTipText("Visit the Quenvor Pro community");
  ScaleDialogToScreen(*this);
  mkcHyperLinks4->SetFontSize(lblDescription->FontSize());
  mkcHyperLinks2->SetFontSize(lblDescription->FontSize());
}

void FrmAbout::cmdOK_Click() { CloseAndReturn(*this); }

void FrmAbout::Picture_Click() { platform::webBrowser().Open(kCommunityWebPage); }

bool FrmAbout::GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) {
  KeyVal.clear();
  platform::RegKey key(KeyRoot, KeyName, RegReadAccess);
  auto value = key.Read(SubKeyRef);
  if (!value) return false;
  const auto& data = value->data;
  switch (value->type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::string text(data.begin(), data.end());
      KeyVal = text.substr(0, text.find('\0'));
      return true;
    }
    case REG_DWORD:
      if (data.size() != sizeof(DWORD)) return false;
      KeyVal = std::to_string(data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24);
      return true;
  }
  return false;
}

void FrmAbout::StartSysInfo() {
  std::string path;
  if (!GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path) ||
      path.empty()) {
    std::string folder;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder) &&
        !folder.empty())
      path = folder + "\\MSINFO32.EXE";
  }
  bool started = false;
  if (!path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    started = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &si, &pi) != 0;
    if (started) {
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
  if (!started) MsgBox(LoadResString(514), MB_OK, kAppTitle);
}
