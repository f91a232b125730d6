#include "sysinfo/frmSystemInformation.h"

#include <windows.h>

#include "platform/sound.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/Strings.h"
#include "shell/WmiGuard.h"
#include "sysinfo/CategoryReaders.h"
#include "sysinfo/SystemReport.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame39", .rect = {120, 60, 9720, 7260}},
    {.kind = Kind::Label, .name = "Label26", .parent = "Frame39", .rect = {240, 300, 9240, 660}},
    {.kind = Kind::ComboBox, .name = "Combo5", .parent = "Frame39", .rect = {240, 1080, 5400, 315},
     .style = ui::kDropDownList},
    {.kind = Kind::Custom, .name = "vbalListViewCtl2", .parent = "Frame39",
     .rect = {240, 1560, 9240, 5520}, .fontSize = 8.25,
     .value = ui::kListReport | ui::kListGridLines | ui::kListMultiSelect,
     .fontName = "MS Sans Serif", .customClass = ui::kListViewClass},
    {.kind = Kind::CommandButton, .name = "Command15", .rect = {120, 7440, 3240, 420}},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {7320, 7440, 2520, 420},
     .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmSystemInformation",
                            .caption = "",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 9960,
                            .clientHeight = 8040};

// The categories in the order the combo box lists them; item 0 is the prompt, which
// lists nothing.
struct CategoryItem {
  int textRes;
  void (*reader)();
};
constexpr CategoryItem kCategories[] = {
    {465, nullptr},
    {912, ShowBIOSInfo},
    {928, ShowBaseBoardInfo},
    {929, ShowFanInfo},
    {266, ShowHotfixInfo},
    {1005, ShowModemInfo},
    {1008, ShowMonitorInfo},
    {1021, ShowOnBoardDeviceInfo},
    {1022, ShowOperatingSystemInfo},
    {1027, ShowPhysicalMemoryInfo},
    {1030, ShowPnPDeviceInfo},
    {1033, ShowVideoResolutionInfo},
    {1039, ShowProcessorInfo},
    {1070, ShowSoundDeviceInfo},
    {1082, ShowStartMenuInfo},
    {1097, ShowVideoControllerInfo},
};

// The list's two columns: key, header, share of the list's width, tag.
struct ColumnSpec {
  const char* key;
  int headerRes;
  float share;
  const char* tag;
};
constexpr ColumnSpec kColumns[] = {
    {"DESCRIPTION", 705, 0.35f, "Description"},
    {"VALUE", 1083, 0.64f, "Value"},
};

}  // namespace

FrmSystemInformation::FrmSystemInformation() : Page(kForm, kDesign) {}

void FrmSystemInformation::BindEvents() {
  Combo5->Click = [this] { Combo5_Click(); };
  Command15->Click = [this] { Command15_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmSystemInformation::LoadCaptions() {
  SetCaption(LoadResString(597));
  Frame39->SetCaption(LoadResString(602));
  Command1->SetCaption(LoadResString(64));
  Command15->SetCaption(LoadResString(590));
}

void FrmSystemInformation::Form_Load() {
  LoadCaptions();
  Label26->SetCaption(LoadResString(608));
  for (const CategoryItem& category : kCategories) Combo5->AddItem(LoadResString(category.textRes));
  Combo5->SetListIndex(0);
  ResizeSystemInformation();
  ui::ListView& list = *vbalListViewCtl2;
  list.SetVisible(false);
  for (const ColumnSpec& spec : kColumns) {
    ui::ListViewColumn& column = list.AddColumn(spec.key, LoadResString(spec.headerRes));
    column.SetWidth(list.Width() * spec.share);
    column.SetTag(spec.tag);
  }
  list.SetVisible(true);
}

void FrmSystemInformation::StartWMI() { wmi_guard::StartWMI(ctlService1); }

void FrmSystemInformation::CheckWMI() { wmi_guard::CheckWMI(ctlService1); }

void FrmSystemInformation::ResizeSystemInformation() { ScalePageToScreen(*this); }

void FrmSystemInformation::Combo5_Click() {
  CheckWMI();
  const std::string chosen = Combo5->Text();
  for (const CategoryItem& category : kCategories) {
    if (!category.reader || chosen != LoadResString(category.textRes)) continue;
    // Emptied and filled in one go: the list repaints once.
    ui::ListView::RedrawOff quiet(*vbalListViewCtl2);
    vbalListViewCtl2->Clear();
    category.reader();
    return;
  }
  // The prompt: the rows of the last category stay.
}

void FrmSystemInformation::Command15_Click() {
  const std::string path = ReportPath();
  if (!WriteSystemReport()) {
    // An earlier report at the path must not pass for this one.
    MsgBox("The system report could not be written to " + path + ".", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Navigate(path);
}

void FrmSystemInformation::Navigate(const std::string& NavTo) {
  // ShellExecute gives a value above 32 when a program took the file.
  if (platform::webBrowser().Open(NavTo) <= 32) {
    MsgBox("The system report was written to " + NavTo + ", but no program could open it.",
           MB_OK | MB_ICONEXCLAMATION);
  }
}

void FrmSystemInformation::Command1_Click() { Unload(); }
