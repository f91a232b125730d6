#include "shell/FRMsysRestore.h"

#include <windows.h>

#include <vector>

#include "platform/restore_points.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "shell/ColouredMessageBox.h"
#include "ui/Hourglass.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "lblTitle", .rect = {240, 240, 6495, 255}},
    {.kind = Kind::TextBox, .name = "txtRPName", .rect = {240, 540, 6495, 315}},
    {.kind = Kind::Label, .name = "lblOptions", .rect = {240, 1020, 6495, 255}},
    {.kind = Kind::OptionButton, .name = "OptRP", .index = 0, .rect = {360, 1320, 3000, 255}},
    {.kind = Kind::OptionButton, .name = "OptRP", .index = 1, .rect = {360, 1620, 3000, 255}},
    {.kind = Kind::OptionButton, .name = "OptRP", .index = 2, .rect = {3600, 1320, 3000, 255}},
    {.kind = Kind::OptionButton, .name = "OptRP", .index = 3, .rect = {3600, 1620, 3000, 255}},
    {.kind = Kind::Frame, .name = "frameInfo", .rect = {240, 2040, 6495, 1320}},
    {.kind = Kind::Label, .name = "lblInfo", .parent = "frameInfo", .rect = {120, 300, 6255, 900}},
    {.kind = Kind::Label, .name = "lblListPoints", .rect = {240, 3540, 6495, 255}},
    {.kind = Kind::ListBox, .name = "ListPoints", .rect = {240, 3840, 6495, 1620}},
    {.kind = Kind::CommandButton, .name = "cmdListPoints", .rect = {240, 5640, 2535, 375}},
    {.kind = Kind::CommandButton, .name = "CmdCreate", .rect = {2880, 5640, 2535, 375},
     .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {5520, 5640, 1215, 375},
     .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "FRMsysRestore",
                            .caption = "",
                            .width = 7095,
                            .height = 6735,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

// The option buttons in order: the type each creates and the text that explains it.
struct TypeRow {
  int16_t type;
  int infoRes;
};
constexpr TypeRow kTypes[] = {
    {platform::kApplicationInstall, 581},
    {platform::kApplicationUninstall, 582},
    {platform::kDeviceDriverInstall, 583},
    {platform::kModifySettings, 584},
};

// The error WMI gives when its service (or the one behind the call) is disabled.
constexpr HRESULT kServiceDisabled = static_cast<HRESULT>(0x80070422);

}  // namespace

FrmSysRestore::FrmSysRestore() : Form(kForm, kDesign) {}

void FrmSysRestore::BindEvents() {
  OptRP.ForEach([this](ui::OptionButton& option, int i) { option.Click = [this, i] { OptRP_Click(i); }; });
  cmdListPoints->Click = [this] { cmdListPoints_Click(); };
  CmdCreate->Click = [this] { CmdCreate_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmSysRestore::LoadCaptions() {
  SetCaption(LoadResString(88));
  lblTitle->SetCaption(LoadResString(44));
  txtRPName->SetText(LoadResString(607));
  lblOptions->SetCaption(LoadResString(476));
  OptRP[0].SetCaption(LoadResString(26));
  OptRP[1].SetCaption(LoadResString(29));
  OptRP[2].SetCaption(LoadResString(109));
  OptRP[3].SetCaption(LoadResString(301));
  frameInfo->SetCaption(LoadResString(424));
  lblListPoints->SetCaption(LoadResString(284));
  cmdListPoints->SetCaption(LoadResString(283));
  cmdListPoints->SetToolTipText(LoadResString(874));
  CmdCreate->SetCaption(LoadResString(86));
  CmdCreate->SetToolTipText(LoadResString(875));
  Command1->SetCaption(LoadResString(49));
}

void FrmSysRestore::Form_Load() {
  LoadCaptions();
  failed_ = false;
  OptRP[3].SetValue(true);
  OptSel = platform::kModifySettings;
  frmmain->CheckWMI();
  ScaleDialogToScreen(*this);
}

void FrmSysRestore::Form_Unload(int& cancel) {
  // A silent creation leaves the main window as its caller has it.
  if (ShowMainAfterRestore) {
    frmmain->Show();
    frmmain->Refresh();
  }
}

void FrmSysRestore::OptRP_Click(int Index) {
  if (OptRP.Has(Index) && OptRP[Index].Value()) {
    for (int i : OptRP.Indices()) {
      if (i != Index) OptRP[i].SetValue(false);
    }
  }
  if (Index < 0 || Index >= static_cast<int>(std::size(kTypes))) return;
  lblInfo->SetCaption(LoadResString(kTypes[Index].infoRes));
  OptSel = kTypes[Index].type;
}

void FrmSysRestore::cmdListPoints_Click() {
  ListPoints->Clear();
  List_RestorePoints();
}

void FrmSysRestore::List_RestorePoints() {
  std::vector<std::string> descriptions;
  platform::restorePoints().List(&descriptions);  // a failure lists what was read before it
  for (const std::string& description : descriptions) ListPoints->AddItem(description);
  if (ListPoints->ListCount() == 0) ListPoints->AddItem(LoadResString(322));
}

void FrmSysRestore::Create_Restore(const std::string& RPName, int16_t RPType) {
  ctlService2.SetServiceName("VSS");
  if (ctlService2.QueryService() == "Disabled") {
    MsgBox(LoadResString(531), MB_OK | MB_ICONERROR, kAppTitle);
    failed_ = true;
    return;
  }
  platform::RestorePointResult result;
  {
    ui::HourglassPointer hourglass;
    result = platform::restorePoints().Create(RPName, RPType);
  }
  if (result.hr == kServiceDisabled) {
    MsgBox(LoadResString(614), MB_OK | MB_ICONEXCLAMATION, kAppTitle);
  }
  // Whatever kept the point from being made, it was not made: a failed call or a non-zero
  // return value must never be reported as a created restore point.
  if (!result.Created()) failed_ = true;
}

void FrmSysRestore::CmdCreate_Click() {
  LastCreateSucceeded = false;
  const std::string description = txtRPName->Text();
  if (description.empty()) {
    MsgBox(LoadResString(197), MB_OK, LoadResString(700));
  } else {
    Create_Restore(description, OptSel);
    LastCreateSucceeded = !failed_;
    MsgBox(LoadResString(701) + description + LoadResString(failed_ ? 703 : 702), MB_OK, kAppTitle);
  }
  Unload();
}

void FrmSysRestore::Command1_Click() { Unload(); }

bool CreateRestorePointQuietly(const std::string& description) {
  const bool showMain = ShowMainAfterRestore;
  ShowMainAfterRestore = false;
  FRMsysRestore->Hide();
  FRMsysRestore->txtRPName->SetText(description);
  FRMsysRestore->CmdCreate_Click();
  FRMsysRestore->Unload();
  ShowMainAfterRestore = showMain;
  return FRMsysRestore->LastCreateSucceeded;
}
