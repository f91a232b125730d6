#include "maintenance/frmSharedDLLs.h"

#include <windows.h>

#include "platform/native_folders.h"
#include "platform/registry.h"
#include "shell/ColouredMessageBox.h"
#include "shell/FRMsysRestore.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "ui/Hourglass.h"
#include "ui/PaintPacer.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame24", .rect = {120, 120, 11520, 6780}, .caption = "Shared DLL's"},
    {.kind = Kind::Label, .name = "Label11", .parent = "Frame24", .rect = {240, 360, 1200, 255},
     .caption = "Searching:"},
    {.kind = Kind::Label, .name = "Label10", .parent = "Frame24", .rect = {1500, 360, 9780, 255}},
    {.kind = Kind::Label, .name = "Label12", .parent = "Frame24", .rect = {240, 780, 4000, 255},
     .caption = "Invalid DLL's:"},
    {.kind = Kind::ListBox, .name = "List1", .parent = "Frame24", .rect = {240, 1080, 11040, 4260}},
    {.kind = Kind::Label, .name = "Label13", .parent = "Frame24", .rect = {240, 5460, 5400, 255}},
    {.kind = Kind::Label, .name = "Label14", .parent = "Frame24", .rect = {5880, 5460, 5400, 255}},
    {.kind = Kind::CommandButton, .name = "Command11", .parent = "Frame24", .rect = {240, 5940, 4200, 495},
     .caption = "Search For Invalid DLL's"},
    {.kind = Kind::CommandButton, .name = "Command31", .parent = "Frame24", .rect = {4680, 5940, 4200, 495},
     .caption = "Remove Invalid Entries Above"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 7080, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmSharedDLLs",
                            .caption = "Shared DLL's",
                            .width = 11880,
                            .height = 8040,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame24"}, 479},   {{"Command1"}, 64},  {{"Command31"}, 398},
    {{"Command11"}, 450}, {{"Label12"}, 275},  {{"Label11"}, 454},
};

// A value name must fit this buffer with its terminating NUL: a longer one ends the scan.
constexpr DWORD kNameCapacity = 2000;

}  // namespace

bool SharedFileExists(const std::string& name) {
  // The entries name files of the native system: on 64-bit Windows a 32-bit program would
  // look for ...\System32 in SysWOW64.
  platform::NativeSystemFolders native(Is64BitWindows());
  return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FrmSharedDLLs::FrmSharedDLLs() : Page(kForm, kDesign) {}

void FrmSharedDLLs::BindEvents() {
  Command11->Click = [this] { Command11_Click(); };
  Command31->Click = [this] { Command31_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  Label10->Change = [this] { ui::RefreshOnChange(*Label10); };
}

void FrmSharedDLLs::Form_Load() {
  LoadCaptions();
  Label13->SetCaption(LoadResString(565));
  Label14->SetCaption(LoadResString(562));
  ResizeSharedDLLs();
}

void FrmSharedDLLs::LoadCaptions() { LoadPageCaptions(*this, 479, kCaptions); }

void FrmSharedDLLs::ResizeSharedDLLs() { ScalePageToScreen(*this); }

void FrmSharedDLLs::Command1_Click() { Unload(); }

void FrmSharedDLLs::Command11_Click() {
  List1->Clear();
  invalidCount_ = 0;
  // Read in the registry view in which the removal deletes.
  const REGSAM access = KEY_READ | platform::RegistryView(RegWriteAccess);
  platform::RegKey key(HKEY_LOCAL_MACHINE, kSharedDllsKey, access);
  if (!key) {
    MsgBox(LoadResString(50), MB_OK);
    return;
  }
  entriesExamined_ = 0;
  ui::HourglassPointer hourglass;
  ui::PaintPacer pacer;  // the entry being examined shows at a bounded rate
  char name[kNameCapacity];
  for (DWORD index = 0;; ++index) {
    DWORD length = kNameCapacity;
    DWORD type = 0;
    DWORD dataSize = kNameCapacity;
    if (RegEnumValueA(key.Handle(), index, name, &length, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS)
      break;
    ++entriesExamined_;
    const std::string entry(name, length);
    if (!SharedFileExists(entry)) {
      List1->AddItem(entry);
      ++invalidCount_;
    }
    if (pacer.Due()) Label10->SetCaption(entry);
  }
  Label10->SetCaption(LoadResString(208));
  Label13->SetCaption(LoadResString(565) + std::to_string(invalidCount_));
  Label14->SetCaption(LoadResString(562) + std::to_string(entriesExamined_));
}

void FrmSharedDLLs::Command31_Click() {
  if (List1->ListCount() == 0) {
    MsgBox(LoadResString(545), MB_OK | MB_ICONSTOP);
    return;
  }
  const int answer = MsgBox(LoadResString(278), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return;
  // A restore point asked for and not made stops the removal, with the list kept: the
  // restore-point page has said so in its own message.
  if (answer == IDYES && !CreateRestorePointQuietly(LoadResString(386))) return;
  platform::RegKey key(HKEY_LOCAL_MACHINE, kSharedDllsKey, RegWriteAccess);
  if (!key) {
    // Nothing could be removed: the list stays for another try.
    MsgBox(LoadResString(50), MB_OK);
    return;
  }
  for (int i = 0; i < List1->ListCount(); ++i) key.DeleteValue(List1->List(i));
  List1->Clear();
  MsgBox(LoadResString(276), MB_OK | MB_ICONINFORMATION);
}
