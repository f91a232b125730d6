#include "maintenance/frmToolBox.h"

#include <windows.h>
#include <shlobj.h>

#include <span>
#include <string>

#include "maintenance/HotfixRemoval.h"
#include "maintenance/ServiceRepair.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/Strings.h"
#include "shell/WmiGuard.h"
#include "shell/frmprogress.h"
#include "tweaks/RunAndReport.h"

namespace {

using ui::Def;
using ui::Kind;

// Six frames in two columns inside the outer frame, each with its description above its
// buttons.
constexpr float kLeftColumn = 240, kRightColumn = 5880, kFrameWidth = 5400, kFrameHeight = 1860;
constexpr float kRow0 = 300, kRow1 = 2280, kRow2 = 4260;
constexpr ui::Rect kText = {240, 300, 4920, 900};
constexpr ui::Rect kFirstButton = {240, 1260, 1800, 435};
constexpr ui::Rect kSecondButton = {2160, 1260, 1800, 435};

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame50", .index = 3, .rect = {120, 120, 11520, 6300},
     .caption = "Quenvor Pro ToolBox"},
    {.kind = Kind::Frame, .name = "Frame53", .parent = "Frame50", .parentIndex = 3,
     .rect = {kLeftColumn, kRow0, kFrameWidth, kFrameHeight}, .caption = "Hibernation"},
    {.kind = Kind::Label, .name = "Label23", .parent = "Frame53", .rect = kText},
    {.kind = Kind::CommandButton, .name = "Command30", .parent = "Frame53", .rect = kFirstButton, .caption = "Enable"},
    {.kind = Kind::CommandButton, .name = "Command32", .parent = "Frame53", .rect = kSecondButton,
     .caption = "Disable"},
    {.kind = Kind::Frame, .name = "Frame50", .index = 4, .parent = "Frame50", .parentIndex = 3,
     .rect = {kRightColumn, kRow0, kFrameWidth, kFrameHeight}, .caption = "Remove  Hotfixes"},
    {.kind = Kind::Label, .name = "Label39", .index = 0, .parent = "Frame50", .parentIndex = 4, .rect = kText},
    {.kind = Kind::CommandButton, .name = "Command56", .parent = "Frame50", .parentIndex = 4, .rect = kFirstButton,
     .caption = "Remove Hotfixes"},
    {.kind = Kind::Frame, .name = "Frame50", .index = 5, .parent = "Frame50", .parentIndex = 3,
     .rect = {kLeftColumn, kRow1, kFrameWidth, kFrameHeight}, .caption = "Service Repair"},
    {.kind = Kind::Label, .name = "Label39", .index = 1, .parent = "Frame50", .parentIndex = 5, .rect = kText},
    {.kind = Kind::CommandButton, .name = "Command57", .parent = "Frame50", .parentIndex = 5, .rect = kFirstButton,
     .caption = "Repair Services"},
    {.kind = Kind::Frame, .name = "Frame50", .index = 6, .parent = "Frame50", .parentIndex = 3,
     .rect = {kRightColumn, kRow1, kFrameWidth, kFrameHeight}, .caption = "Command Prompt"},
    {.kind = Kind::Label, .name = "Label39", .index = 2, .parent = "Frame50", .parentIndex = 6, .rect = kText},
    {.kind = Kind::CommandButton, .name = "Command58", .parent = "Frame50", .parentIndex = 6, .rect = kFirstButton,
     .caption = "Add"},
    {.kind = Kind::CommandButton, .name = "Command59", .parent = "Frame50", .parentIndex = 6, .rect = kSecondButton,
     .caption = "Remove"},
    {.kind = Kind::Frame, .name = "Frame50", .index = 7, .parent = "Frame50", .parentIndex = 3,
     .rect = {kLeftColumn, kRow2, kFrameWidth, kFrameHeight}, .caption = "Copy/Move Extensions"},
    {.kind = Kind::Label, .name = "Label39", .index = 3, .parent = "Frame50", .parentIndex = 7, .rect = kText},
    {.kind = Kind::CommandButton, .name = "Command61", .parent = "Frame50", .parentIndex = 7, .rect = kFirstButton,
     .caption = "Add"},
    {.kind = Kind::CommandButton, .name = "Command60", .parent = "Frame50", .parentIndex = 7, .rect = kSecondButton,
     .caption = "Remove"},
    {.kind = Kind::Frame, .name = "Frame50", .index = 8, .parent = "Frame50", .parentIndex = 3,
     .rect = {kRightColumn, kRow2, kFrameWidth, kFrameHeight}, .caption = "God Mode"},
    {.kind = Kind::Label, .name = "Label39", .index = 4, .parent = "Frame50", .parentIndex = 8, .rect = kText,
     .caption = "This option creates a shortcut on your desktop with quick access to alot of system settings."},
    {.kind = Kind::CommandButton, .name = "Command62", .parent = "Frame50", .parentIndex = 8, .rect = kFirstButton,
     .caption = "Create It"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 6540, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmToolBox",
                            .caption = "Quenvor Pro ToolBox",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11760,
                            .clientHeight = 7140};

constexpr CaptionLine kCaptions[] = {
    {{"Frame50", 3}, 598}, {{"Command1"}, 64},      {{"Frame53"}, 228},     {{"Command30"}, 186},
    {{"Command32"}, 111},  {{"Label23"}, 24},       {{"Frame50", 4}, 389},  {{"Command56"}, 397},
    {{"Label39", 0}, 876}, {{"Frame50", 5}, 469},   {{"Command57"}, 417},   {{"Label39", 1}, 63},
    {{"Frame50", 6}, 68},  {{"Command58"}, 17},     {{"Command59"}, 388},   {{"Label39", 2}, 556},
    {{"Frame50", 7}, 79},  {{"Command61"}, 17},     {{"Command60"}, 388},   {{"Label39", 3}, 555},
};

// The hibernation and God Mode boxes are system-modal.
constexpr UINT kSystemModalInformation = MB_ICONINFORMATION | MB_SYSTEMMODAL;

// Registry entries as full paths: a path ending in "\" names a key, whose default value the
// data goes into. HKEY_CLASSES_ROOT is used in the program's own view.
struct RegistryEntry {
  const char* path;
  const char* data;
};

// The "Cmd Prompt Here" verb of folders: its command first, then its menu text, so that the
// verb never shows without a command; removed in the same order, as a key goes only when
// it has no subkeys.
constexpr RegistryEntry kCmdPromptHere[] = {
    {"HKEY_CLASSES_ROOT\\Folder\\Shell\\MenuText\\Command\\", "cmd.exe /k cd \"%1\""},
    {"HKEY_CLASSES_ROOT\\Folder\\Shell\\MenuText\\", "Cmd Prompt Here"},
};

// The system's Copy To Folder and Move To Folder handlers, for folders and for all files.
constexpr RegistryEntry kCopyMoveHandlers[] = {
    {"HKEY_CLASSES_ROOT\\Directory\\shellex\\ContextMenuHandlers\\Copy To\\", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"},
    {"HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\Copy To\\", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"},
    {"HKEY_CLASSES_ROOT\\Directory\\shellex\\ContextMenuHandlers\\Move To\\", "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"},
    {"HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\Move To\\", "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"},
};

std::string Lines(const std::string& heading, const std::string& lines) { return heading + "\r\n" + lines; }

// Writes every entry in order, then shows `message`; an entry that could not be written is
// named instead.
void WriteEntries(std::span<const RegistryEntry> entries, const std::string& message) {
  std::string failed;
  for (const RegistryEntry& entry : entries) {
    if (platform::RegWritePath(entry.path, std::string(entry.data)) != ERROR_SUCCESS)
      failed += std::string("\r\n") + entry.path;
  }
  if (failed.empty()) MsgBox(message, MB_OK | MB_ICONINFORMATION);
  else MsgBox(Lines("These entries could not be written to the registry:", failed), MB_OK | MB_ICONEXCLAMATION);
}

// Deletes every entry's key in order, then shows `message`; a key that was not there counts
// as deleted, one that stays is named instead.
void DeleteEntries(std::span<const RegistryEntry> entries, const std::string& message) {
  std::string failed;
  for (const RegistryEntry& entry : entries) {
    const LONG result = platform::RegDeletePath(entry.path);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) failed += std::string("\r\n") + entry.path;
  }
  if (failed.empty()) MsgBox(message, MB_OK | MB_ICONINFORMATION);
  else MsgBox(Lines("These entries could not be deleted from the registry:", failed), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

FrmToolBox::FrmToolBox() : Page(kForm, kDesign) {}

void FrmToolBox::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command30->Click = [this] { Command30_Click(); };
  Command32->Click = [this] { Command32_Click(); };
  Command56->Click = [this] { Command56_Click(); };
  Command57->Click = [this] { Command57_Click(); };
  Command58->Click = [this] { Command58_Click(); };
  Command59->Click = [this] { Command59_Click(); };
  Command60->Click = [this] { Command60_Click(); };
  Command61->Click = [this] { Command61_Click(); };
  Command62->Click = [this] { Command62_Click(); };
}

void FrmToolBox::Form_Load() {
  LoadCaptions();
  ResizeToolbox();
}

void FrmToolBox::LoadCaptions() { LoadPageCaptions(*this, 598, kCaptions); }

void FrmToolBox::ResizeToolbox() { ScalePageToScreen(*this); }

void FrmToolBox::CheckWMI() { wmi_guard::CheckWMI(ctlService1); }
void FrmToolBox::StartWMI() { wmi_guard::StartWMI(ctlService1); }

void FrmToolBox::Command1_Click() { Unload(); }

void FrmToolBox::Command30_Click() {
  RunHiddenCommandAndReport("cmd.exe /c powercfg -h on", LoadResString(230), kSystemModalInformation);
}

void FrmToolBox::Command32_Click() {
  RunHiddenCommandAndReport("cmd.exe /c powercfg -h off", LoadResString(229), kSystemModalInformation);
}

void FrmToolBox::Command56_Click() {
  // WMI is made sure of whatever the answer.
  CheckWMI();
  if (MsgBox(LoadResString(387), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  frmprogress->Show();
  frmprogress->SetCaption(LoadResString(453));
  frmprogress->ProgressBar1->SetMax(3);
  HotfixRemoval removal;
  removal.ReadWindowsFolder();
  removal.RemoveUninstallEntries();
  frmprogress->Advance();
  removal.RemoveUninstallFolders();
  frmprogress->Advance();
  removal.RemoveLogFiles();
  frmprogress->Advance();
  frmprogress->Unload();
  MsgBox(removal.ClosingText(), removal.ClosingStyle());
}

void FrmToolBox::Command57_Click() {
  CheckWMI();
  const ServiceRepair repair = RepairStoppedAutomaticServices();
  MsgBox(repair.ClosingText(), repair.ClosingStyle());
}

void FrmToolBox::Command58_Click() { WriteEntries(kCmdPromptHere, LoadResString(66)); }

void FrmToolBox::Command59_Click() { DeleteEntries(kCmdPromptHere, LoadResString(67)); }

void FrmToolBox::Command61_Click() { WriteEntries(kCopyMoveHandlers, LoadResString(80)); }

void FrmToolBox::Command60_Click() { DeleteEntries(kCopyMoveHandlers, LoadResString(81)); }

void FrmToolBox::Command62_Click() {
  char desktop[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)) || !desktop[0]) {
    MsgBox("The God Mode folder could not be created: the desktop folder could not be found.",
           MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    return;
  }
  const std::string folder = std::string(desktop) + "\\" + kGodModeFolderName;
  if (!CreateDirectoryA(folder.c_str(), nullptr)) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    // A God Mode folder that is there already is left as it is.
    const bool there = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!there) {
      MsgBox("The God Mode folder could not be created:\r\n\r\n" + folder + "\r\n\r\n" + platform::SystemErrorText(error),
             MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
      return;
    }
  }
  MsgBox("God Mode shortcut has been created on your desktop.", MB_OK | kSystemModalInformation);
}
